#!/usr/bin/env bash
# Drives Quillet from outside, as a user would: starts it on a scratch folder,
# works the real menus and keys with xdotool, and checks the names on disk and
# the settings file it writes at exit, and that the keyboard reaches every
# control of every action dialog. Needs DISPLAY and the Wine variables of
# scripts/wine-env.sh.
#   rename_end_to_end.sh QUILLET_EXE SCRATCH_FOLDER WINDOW_PROBE_EXE
set -uo pipefail
exe="$1"
scratch="$2"
probe="$3"
source "$(dirname "$0")/e2e_support.sh"

rm -rf "$scratch"; mkdir -p "$scratch/photos"
for f in abc.txt Photo.jpg "mixed Case.Txt"; do echo "$f" >"$scratch/photos/$f"; done
rm -f "$settings"

# Actions, "Rename to uppercase"; Change, "Make changes now..."; Yes; Alt+X.
start "$scratch/photos" "photos" || exit 1
keys alt+a Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/photos" ABC.TXT PHOTO.JPG "MIXED CASE.TXT"
stop
[ -f "$settings" ] || fail "no settings file at exit"
[ "$(setting Path)" = "$(winpath "$scratch/photos/")" ] || fail "Path=$(setting Path)"
[ "$(setting FromCol)" = 320 ] || fail "FromCol=$(setting FromCol)"
[ -n "$(setting showCmd)" ] || fail "no showCmd"
tr -d '\r' <"$settings" | grep -q '^rcNormal=\([0-9A-F][0-9A-F] \)\{16\}$' || fail "rcNormal line: $(setting rcNormal)"

# A second start reads the settings back: column widths and placement come
# back unchanged in the file it writes at exit.
sed -i 's/^FromCol=.*\r$/FromCol=200\r/; s/^rcNormal=.*\r$/rcNormal=64 00 00 00 32 00 00 00 F8 02 00 00 1E 02 00 00 \r/' "$settings"
start "$scratch/photos" "photos" || exit 1
stop
[ "$(setting FromCol)" = 200 ] || fail "FromCol read back as $(setting FromCol)"
[ "$(setting rcNormal)" = "64 00 00 00 32 00 00 00 F8 02 00 00 1E 02 00 00 " ] || fail "rcNormal read back as $(setting rcNormal)"

# A settings file whose show command would hide the window: it shows anyway.
sed -i 's/^showCmd=.*\r$/showCmd=0\r/' "$settings"
start "$scratch/photos" "photos" || exit 1
xdotool search --onlyvisible --name photos >/dev/null 2>&1 || fail "showCmd=0 hid the window"
stop

# Actions, "Rename files using an index number...": append, start with 1,
# new name "file"; then "Prefix or append text...": append "_old".
mkdir -p "$scratch/index"
for f in a b c d e f g h i j; do echo "$f" >"$scratch/index/img_$f.jpg"; done
start "$scratch/index" "index" || exit 1
keys alt+a Down Down Return
sleep 0.5
# From the keyboard alone: the dialog opens on the first radio of the first
# group, the arrow chooses "Append index to file name", Tab reaches "Start
# with 1 instead of 0" and then the second group, where the arrow chooses
# "Use new file name", which hands the focus to the name field.
index="Rename using an index number"
expect_focus "$index" "focus 1007"
dialog_keys "$index" Down
expect_focus "$index" "focus 1008 checked 1008"
dialog_keys "$index" Tab space Tab
expect_focus "$index" "focus 1009 checked 1008 checked 1014"
dialog_keys "$index" Down
expect_focus "$index" "focus 1000 checked 1008 checked 1014 checked 1010"
dialog_keys "$index" Tab Tab Tab Up
expect_focus "$index" "focus 1007 checked 1007 checked 1014 checked 1010"
dialog_keys "$index" Down
expect_focus "$index" "focus 1008 checked 1008 checked 1014 checked 1010"
click "Rename using" 40 221
xdotool type --delay 50 file
keys Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/index" file01.jpg file02.jpg file03.jpg file04.jpg file05.jpg file06.jpg file07.jpg \
  file08.jpg file09.jpg file10.jpg
[ "$(cat "$scratch/index/file10.jpg")" = j ] || fail "file10.jpg holds $(cat "$scratch/index/file10.jpg")"
keys alt+a Down Down Down Return
sleep 0.5
click Dialog 264 197
keys Tab
xdotool type --delay 50 _old
keys Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/index" file01_old.jpg file02_old.jpg file03_old.jpg file04_old.jpg file05_old.jpg \
  file06_old.jpg file07_old.jpg file08_old.jpg file09_old.jpg file10_old.jpg
stop

# Actions, "Change extensions...": *.gif only, to png.
mkdir -p "$scratch/ext"
for f in x.gif y.GIF z.jpg; do echo "$f" >"$scratch/ext/$f"; done
start "$scratch/ext" "ext" || exit 1
keys alt+a Down Down Down Down Down Down Return
sleep 0.5
xdotool type --delay 50 '*.gif'
keys Tab
xdotool type --delay 50 png
keys Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/ext" x.png y.png z.jpg
stop

# A pattern that names another folder is refused: nothing changes in either.
mkdir -p "$scratch/outer/work"
echo outer >"$scratch/outer/notes.txt"; echo inner >"$scratch/outer/work/notes.txt"
start "$scratch/outer/work" "work" || exit 1
keys alt+a Down Down Down Down Down Down Return
sleep 0.5
xdotool type --delay 50 '..\*.txt'
keys Tab
xdotool type --delay 50 md
keys Return
sleep 0.5
keys Return Escape alt+c Return
sleep 0.5
keys y Escape
sleep 1
expect_files "$scratch/outer" notes.txt work
expect_files "$scratch/outer/work" notes.txt
stop

# A folder named relative to the current one, then a Browse that is
# cancelled: the rename still reaches that folder, and no other.
mkdir -p "$scratch/rel/rel"
echo a >"$scratch/rel/a.txt"; echo b >"$scratch/rel/rel/b.txt"
start rel rel "$scratch" || exit 1
keys alt+f Return
sleep 1.5
keys Escape
sleep 0.5
keys alt+a Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/rel" A.TXT rel
expect_files "$scratch/rel/rel" b.txt
stop

# Actions, "Change file dates...": January two years back, the 15th clicked
# in the calendar, 3:07:09 PM; then "Make changes now...". The program runs
# in UTC, so the chosen moment is the one stat shows.
mkdir -p "$scratch/dates"
for f in a.jpg b.jpg c.txt; do echo "$f" >"$scratch/dates/$f"; done
touch -a -d "2020-05-05 05:05:05" "$scratch/dates/"*
start "$scratch/dates" "dates" || exit 1
keys alt+a Up Return
sleep 0.5
# The month box has the focus; Tab goes on to the year box, then the hour.
keys Home Tab Home
year=$(($(date +%Y) - 2))
cell=$(($(date -d "$year-01-01" +%w) + 14))
# The calendar's grid: cells of 23 by 16 pixels, three rows down, the
# control at 54, 47 in the dialog as Wine draws it here.
click "Enter date" $((54 + cell % 7 * 23 + 13)) $((47 + (cell / 7 + 3) * 16 + 8))
xdotool windowfocus --sync "$(xdotool search --name "Enter date" | head -n 1)" 2>/dev/null
for k in Tab 3 Tab; do xdotool key "$k"; sleep 0.4; done
xdotool type --delay 50 07
xdotool key Tab
xdotool type --delay 50 09
click "Enter date" 239 268
xdotool key Return
sleep 0.5
keys alt+c Return
sleep 0.5
keys y
sleep 1
for f in a.jpg b.jpg c.txt; do
  written=$(stat -c %y "$scratch/dates/$f")
  [ "${written%% +*}" = "$year-01-15 15:07:09.000000000" ] || fail "$f was last written $written"
  accessed=$(stat -c %x "$scratch/dates/$f")
  [ "${accessed%%.*}" = "2020-05-05 05:05:05" ] || fail "$f was last accessed $accessed"
done

# Tab goes round every control of each dialog that takes the focus, in the
# order of the dialog; a radio group counts once, at its chosen radio (the
# time's AM or PM, whichever the clock says).
#   dialog, menu keys from the main window, the ids Tab passes through
while IFS='|' read -r title menu ids; do
  keys $menu
  sleep 0.5
  for id in $ids; do
    dialog_keys "$title" Tab
    reached=$(settled_focus "$title" "^focus $id( |\$)")
    [[ "$reached" =~ ^focus\ $id( |$) ]] || fail "$title: Tab reached $reached, not $id"
  done
  dialog_keys "$title" Escape
done <<'TABLE'
Dialog|alt+a Down Down Down Return|1000 1 2 1007
Shorten file names|alt+a Down Down Down Down Return|1 2 1000
Remove text|alt+a Down Down Down Down Down Return|1015 1000 1 2 1001
Change extensions|alt+a Down Down Down Down Down Down Return|1001 1 2 1000
Enter date|alt+a Down Down Down Down Down Down Down Return|53701 1006 1000 1001 100[78] 1 2 53700
Create folders using an index number|alt+f Down Return|1001 1002 1019 1018 1017 1016 1 2 1000
Floppy saver|alt+f Down Down Return|1012 1001 1 2 1002
TABLE
stop

# Index with the existing names, starting with 1, in the order the list
# shows: "Append index", "Start with 1", "Use existing name", from the keys.
index_in_shown_order() {
  keys alt+a Down Down Return
  sleep 0.5
  dialog_keys "$index" Down Tab space Tab space Return
}

# View, "Sort by date modified": files whose dates run opposite to their
# names are numbered by date, their contents going with them; the order is
# kept. Then View, "Sort by name": "Track 1/2/10" by their numbers' value.
mkdir -p "$scratch/order"
for f in a b c; do echo "$f" >"$scratch/order/$f.jpg"; done
touch -d 2024-01-01 "$scratch/order/a.jpg"; touch -d 2023-01-01 "$scratch/order/b.jpg"
touch -d 2022-01-01 "$scratch/order/c.jpg"
start "$scratch/order" "order" || exit 1
keys alt+v d
index_in_shown_order
import -window root "$(dirname "$scratch")/order-by-date.png"
keys alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/order" c1.jpg b2.jpg a3.jpg
for f in a3 b2 c1; do [ "$(cat "$scratch/order/$f.jpg")" = "${f:0:1}" ] || fail "$f.jpg holds $(cat "$scratch/order/$f.jpg")"; done
stop
[ "$(setting SortBy)" = Modified ] || fail "SortBy=$(setting SortBy)"
mkdir -p "$scratch/tracks"
for n in 10 2 1; do echo "$n" >"$scratch/tracks/Track $n.mp3"; done
start "$scratch/tracks" "tracks" || exit 1
keys alt+v n
index_in_shown_order
keys alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/tracks" "Track 11.mp3" "Track 22.mp3" "Track 103.mp3"
[ "$(cat "$scratch/tracks/Track 103.mp3")" = 10 ] || fail "Track 103.mp3 holds $(cat "$scratch/tracks/Track 103.mp3")"
stop

rm -rf "$scratch"
if [ "$failures" -eq 0 ]; then echo "end-to-end: all checks passed"; else exit 1; fi
