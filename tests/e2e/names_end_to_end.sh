#!/usr/bin/env bash
# Names in every script through the real window: uppercase over five
# scripts, a shorten that counts characters, a folder whose path is some 500
# bytes of UTF-8, and a folder stored by an 8-bit version. Needs DISPLAY and
# the Wine variables of scripts/wine-env.sh.
#   names_end_to_end.sh QUILLET_EXE SCRATCH_FOLDER
set -uo pipefail
exe="$1"
scratch="$2"
shots="$(dirname "$scratch")"
source "$(dirname "$0")/e2e_support.sh"

# Each file holds its first name, so that its content shows where it went.
make_files() {
  local folder="$1"; shift
  mkdir -p "$folder"
  for f in "$@"; do printf '%s' "$f" >"$folder/$f"; done
}

# expect_moved FOLDER OLD NEW: NEW is there and holds OLD's content.
expect_moved() {
  [ "$(cat "$1/$3" 2>/dev/null)" = "$2" ] || fail "$3 in $1 does not hold what $2 held"
}

rm -rf "$scratch"; rm -f "$settings"

names=("café au lait.txt" "Привет мир.doc" "日本語のファイル.txt" "Ωμέγα.jpg" "emoji 😀.png")
upper=("CAFÉ AU LAIT.TXT" "ПРИВЕТ МИР.DOC" "日本語のファイル.TXT" "ΩΜΈΓΑ.JPG" "EMOJI 😀.PNG")
make_files "$scratch/scripts" "${names[@]}"
start "$scratch/scripts" "scripts" || exit 1
keys alt+a Return
sleep 0.5
import -window root "$shots/names-before-uppercase.png"
keys alt+c Return
sleep 0.5
keys y
sleep 1
import -window root "$shots/names-after-uppercase.png"
expect_files "$scratch/scripts" "${upper[@]}"
for i in "${!names[@]}"; do expect_moved "$scratch/scripts" "${names[$i]}" "${upper[$i]}"; done
stop

# Actions, "Shorten file names...", 5: five characters, however many bytes.
make_files "$scratch/shorten" "日本語のファイル.txt"
start "$scratch/shorten" "shorten" || exit 1
keys alt+a Down Down Down Down Return
sleep 0.5
xdotool type --delay 50 5
keys Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$scratch/shorten" "日本語のフ.txt"
expect_moved "$scratch/shorten" "日本語のファイル.txt" "日本語のフ.txt"
stop

# Four folders of 40 letters each: some 500 bytes of path, about 200 of the
# system's characters. The settings file keeps the path as UTF-8.
long="$scratch"
for piece in 長 道 森 海; do long="$long/$(printf "$piece%.0s" $(seq 40))"; done
long="${long}deep"
make_files "$long" "ファイル.txt"
start "$long" "deep" || exit 1
keys alt+a Return alt+c Return
sleep 0.5
keys y
sleep 1
expect_files "$long" "ファイル.TXT"
stop
[ "$(setting Path)" = "$(winpath "$long/")" ] || fail "Path=$(setting Path)"
[ "$(printf '%s' "$(winpath "$long")" | wc -c)" -gt 490 ] || fail "the long path is not long"

# A folder stored by an 8-bit version, its é a byte of the Western code page,
# is held as the café folder it names, and stored again in UTF-8.
mkdir -p "$scratch/Café"
stored="$(winpath "$scratch/")Caf"$'\xE9'"\\"
sed -i "s|^Path=.*\r\$|Path=${stored//\\/\\\\}\r|" "$settings"
start "" "Quillet" || exit 1
stop
[ "$(setting Path)" = "$(winpath "$scratch/Café/")" ] || fail "Path=$(setting Path)"

rm -rf "$scratch"
if [ "$failures" -eq 0 ]; then echo "names end-to-end: all checks passed"; else exit 1; fi
