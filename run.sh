#!/usr/bin/env bash
# Sets up what is missing, builds Quillet and starts it on FOLDER (a fresh demo
# folder when none is given). Without a display it starts Xvfb and saves a
# screenshot.   ./run.sh [FOLDER]
set -euo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
build="${QUILLET_BUILD:-$top/build}"
"$top/scripts/setup.sh" all
if "$top/scripts/can-run-32bit.sh"; then target=i686 arch=win32; else target=x86_64 arch=win64; fi
"$top/scripts/build.sh" "$target" >/dev/null

if [ $# -ge 1 ]; then
  folder="$(cd "$1" && pwd)"
else
  folder="$build/demo"
  rm -rf "$folder"; mkdir -p "$folder"
  for n in "Holiday 01.JPG" "holiday 02.jpg" "Copy of Report.doc" "notes.txt" "README" "song.MP3"; do
    echo "$n" > "$folder/$n"
  done
fi
source "$top/scripts/wine-env.sh" "$arch"
winpath="Z:${folder//\//\\}"

if [ -z "${DISPLAY:-}" ]; then
  source "$top/scripts/xvfb.sh"
  quillet_start_xvfb
  trap quillet_stop_xvfb EXIT
  "$WINELOADER" "$build/$target/Quillet.exe" "$winpath" &
  app=$!
  sleep 4
  import -window root "$build/screenshot.png"
  echo "no display: Quillet ran under Xvfb; screenshot in $build/screenshot.png"
  kill "$app" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
else
  exec "$WINELOADER" "$build/$target/Quillet.exe" "$winpath"
fi
