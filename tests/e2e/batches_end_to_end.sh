#!/usr/bin/env bash
# Long batches from outside: a batch of 5,000 index renames killed in the
# middle is rolled back at the next start, while a second Quillet started
# meanwhile neither offers to roll it back nor loses its own batch; a batch
# is undone through the menu, also after a new file took an old name; Cancel
# in the middle of a batch leaves every file under its old or its new name.
# Needs DISPLAY and the Wine variables of scripts/wine-env.sh.
#   batches_end_to_end.sh QUILLET_EXE SCRATCH_FOLDER
set -uo pipefail
exe="$1"
scratch="$(realpath -m "$2")"
source "$(dirname "$0")/e2e_support.sh"
journals="$(dirname "$settings")"

# Every file's name and content, in one line per file.
snapshot() { (cd "$1" && for f in *; do printf '%s=%s\n' "$f" "$(cat "$f")"; done); }
count() { ls -1 "$1" | grep -c "$2"; }

# Fills a folder with files whose content is their own name.
fill() {
  rm -rf "$1"; mkdir -p "$1"
  (cd "$1" && seq -f "photo%04g.jpg" 1 "$2" | while read -r f; do echo "$f" >"$f"; done)
}

# Actions, "Rename files using an index number...": append, existing names;
# then Change, "Make changes now...", Yes.
index_batch() {
  keys alt+a Down Down Return
  sleep 0.5
  click "Rename using" 40 125
  click "Rename using" 40 200
  keys Return alt+c Return
  sleep 0.5
  xdotool key y
}

# Waits up to a minute for the folder to hold no scratch names.
settled() {
  for _ in $(seq 600); do
    [ "$(count "$1" '^`]')" = 0 ] && return 0
    sleep 0.1
  done
  return 1
}

rm -f "$journals"/Quillet*.journal

# A box of the program's own, over whichever Quillet shows it.
box_shown() { xdotool search --name '^Quillet$' >/dev/null 2>&1; }

# A batch killed in the middle, then rolled back at the next start.
fill "$scratch/big" 5000
before=$(snapshot "$scratch/big")
start "$scratch/big" big || exit 1
first=$app
index_batch
sleep 2
# A second Quillet, in a folder of its own, while the first is mid-batch.
fill "$scratch/second" 20
start "$scratch/second" second || exit 1
sleep 1
box_shown && fail "the second Quillet offered to roll back the first one's running batch"
keys alt+a Return alt+c Return
sleep 0.5
keys y
sleep 1
[ "$(count "$scratch/second" '^PHOTO')" = 20 ] || fail "the second Quillet's batch did not run"
kill -9 "$first"
wait "$first" 2>/dev/null
stop
[ "$(count "$scratch/big" '^`]')" -gt 0 ] || fail "the batch was not in the middle when Quillet was killed"
start "" Quillet || exit 1
sleep 1
xdotool key y
settled "$scratch/big" || fail "scratch names left after the rollback"
sleep 2
[ "$(snapshot "$scratch/big")" = "$before" ] || fail "the folder is not as before the killed batch"
stop

# A batch applied, then undone through the menu: the folder as before.
fill "$scratch/undo" 30
before=$(snapshot "$scratch/undo")
start "$scratch/undo" undo || exit 1
keys alt+a Return alt+c Return
sleep 0.5
keys y
sleep 1
[ "$(count "$scratch/undo" '^PHOTO')" = 30 ] || fail "the batch did not rename the files"
keys alt+c Down Return
sleep 0.5
keys y
sleep 1
[ "$(snapshot "$scratch/undo")" = "$before" ] || fail "Undo did not put the folder back"
# Numbered, and a new file takes an old name before Undo: it stays as it
# is, the other files go back, and a warning names the one that cannot.
index_batch
sleep 2
echo camera >"$scratch/undo/photo0001.jpg"
keys alt+c Down Return
sleep 0.5
keys y
sleep 2
box_shown || fail "no warning named the file that could not go back"
import -window root "$scratch/../undo-taken-name.png" 2>/dev/null
keys Return
[ "$(cat "$scratch/undo/photo0001.jpg")" = camera ] || fail "Undo overwrote the new file"
[ "$(grep -lx photo0001.jpg "$scratch"/undo/* | wc -l)" = 1 ] || fail "the file that could not go back is lost"
[ "$(count "$scratch/undo" '^photo[0-9]\{4\}\.jpg$')" = 30 ] || fail "Undo did not put the other files back"
stop

# Cancel in the middle: every file under its old name or its new one.
fill "$scratch/cancel" 3000
start "$scratch/cancel" cancel || exit 1
index_batch
sleep 3
xdotool key Escape
settled "$scratch/cancel" || fail "scratch names left after Cancel"
sleep 2
[ "$(ls -1 "$scratch/cancel" | wc -l)" = 3000 ] || fail "$(ls -1 "$scratch/cancel" | wc -l) files after Cancel"
[ "$(count "$scratch/cancel" '^photo[0-9]\{4\}\.jpg$')" -gt 0 ] || fail "Cancel did not stop the batch"
while IFS= read -r line; do
  name=${line%%=*}; old=${line#*=}
  case "$name" in
    "$old" | "${old%.jpg}"[0-9][0-9][0-9][0-9].jpg) ;;
    *) fail "$name holds $old after Cancel"; break ;;
  esac
done < <(snapshot "$scratch/cancel")
stop

rm -rf "$scratch"
if [ "$failures" -eq 0 ]; then echo "batches end-to-end: all checks passed"; else exit 1; fi
