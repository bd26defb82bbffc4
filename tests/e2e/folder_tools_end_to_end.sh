#!/usr/bin/env bash
# The folder tools from outside, as a user works them: the folder creator
# makes Disk01 ... Disk12 through the File menu, and the floppy saver, with
# its destination set in the settings file, copies two disks put one after
# the other into drive a:. Needs DISPLAY and the Wine variables of
# scripts/wine-env.sh.
#   folder_tools_end_to_end.sh QUILLET_EXE WINDOW_PROBE_EXE SCRATCH_FOLDER
set -uo pipefail
exe="$1"
probe="$2"
scratch="$(realpath -m "$3")"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/floppy_drives.sh"
source "$here/e2e_support.sh"

# Waits up to five seconds for a window whose title matches the regular
# expression; prints its id.
wait_window() {
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named $1"
  return 1
}

# Types keys into the window whose title matches, one after another.
keys_to() {
  local id
  id=$(wait_window "$1") || return 1
  xdotool windowfocus --sync "$id" 2>/dev/null
  for k in "${@:2}"; do xdotool key "$k"; sleep 0.3; done
}

probe() { "$WINELOADER" "$probe" "$1" 2>/dev/null | tr -d '\r' | grep "^$2 " | cut -d' ' -f2; }

rm -rf "$scratch"
mkdir -p "$scratch/work" "$scratch/backup" "$scratch/disk1/docs/old" "$scratch/disk2/pictures"
echo one >"$scratch/disk1/readme.txt"
echo two >"$scratch/disk1/docs/letter.txt"
echo three >"$scratch/disk1/docs/old/notes.txt"
chmod a-w "$scratch/disk1/docs/letter.txt"
echo four >"$scratch/disk2/index.htm"
echo five >"$scratch/disk2/pictures/photo.jpg"
chmod a-w "$scratch/disk2/index.htm"

mkdir -p "$(dirname "$settings")"
printf '; Quillet\r\n[Settings]\r\nFPath=%s\\\r\nFFolder=Floppy\r\n' "$(winpath "$scratch/backup")" >"$settings"

floppy_drives_save
trap 'floppy_drives_restore' EXIT
floppy_insert a "$scratch/disk1"

# The main window's title is the folder's search path.
title="$(winpath "$scratch/work/")*.*"
main='scratch.work.\*'
"$WINELOADER" "$exe" "$(winpath "$scratch/work")" >/dev/null 2>&1 &
app=$!
wait_window "$main" >/dev/null || { kill "$app"; exit 1; }
sleep 0.5

# File, "Create folders with an index number...": Disk, 1 to 12, Create folders.
keys_to "$main" alt+f Down Return
wait_window "^Create folders using an index number$" >/dev/null
xdotool type --delay 40 Disk
keys_to "^Create folders using an index number$" Tab 1 Tab 1 2 Return
keys_to "^Quillet$" Return
expected=$(printf 'Disk%02d\n' $(seq 12) | tr '\n' ' ')
actual=$(cd "$scratch/work" && ls -1 | tr '\n' ' ')
[ "$actual" = "$expected" ] || fail "folders made: [$actual], expected [$expected]"

# File, "Floppy saver...": Start with the destination from the settings, then
# disk 1 from drive A, disk 2 put into the same drive, then Done.
keys_to "$main" alt+f Down Down Return
keys_to "^Floppy saver$" Return
# Tab goes round Start, Done and the chosen drive; the arrows move between
# the drives.
wait_window "^Next floppy$" >/dev/null
dialog_keys "Next floppy" Tab Tab
expect_focus "Next floppy" "focus 1007 checked 1007"
dialog_keys "Next floppy" Down
expect_focus "Next floppy" "focus 1008 checked 1008"
dialog_keys "Next floppy" Up Tab
expect_focus "Next floppy" "focus 1 checked 1007"
keys_to "^Next floppy$" Return
wait_window "^Next floppy$" >/dev/null
floppy_insert a "$scratch/disk2"
keys_to "^Next floppy$" Return
wait_window "^Next floppy$" >/dev/null
[ "$(probe "$title" rows)" = 2 ] || fail "the list shows $(probe "$title" rows) lines after two disks"
[ -n "${QUILLET_SHOTS:-}" ] && import -window root "$QUILLET_SHOTS-insert-disk.png"
keys_to "^Next floppy$" Escape
sleep 0.5
[ "$(probe "$title" status)" = 4 ] || fail "status pane 0 holds $(probe "$title" status) characters, not Done"
[ -n "${QUILLET_SHOTS:-}" ] && import -window root "$QUILLET_SHOTS-two-disks.png"

diff -r "$scratch/disk1" "$scratch/backup/Floppy001" || fail "Floppy001 differs from disk 1"
diff -r "$scratch/disk2" "$scratch/backup/Floppy002" || fail "Floppy002 differs from disk 2"
for copy in Floppy001/docs/letter.txt Floppy002/index.htm; do
  [ -w "$scratch/backup/$copy" ] && [ "$(stat -c %a "$scratch/backup/$copy" | cut -c1)" != 4 ] \
    || fail "$copy arrived read-only"
done

keys_to "$main" alt+x
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && { fail "Quillet did not exit on Alt+X"; kill "$app"; }
[ "$(setting FPath)" = "$(winpath "$scratch/backup/")" ] || fail "FPath=$(setting FPath)"
[ "$(setting FFolder)" = Floppy002 ] || fail "FFolder=$(setting FFolder)"

rm -rf "$scratch"
if [ "$failures" -eq 0 ]; then echo "folder tools end-to-end: all checks passed"; else exit 1; fi
