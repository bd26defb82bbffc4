#!/usr/bin/env bash
# Measures the engine's speed and memory on this machine, under Wine.
#   scripts/bench.sh [FILES]   (FILES in the scanned folder, 100000 unless given)
# The folders are made from Linux, which is far quicker than through Wine.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLET_BUILD:-$top/build}"
files="${1:-100000}"
"$top/scripts/setup.sh" all >/dev/null
if "$top/scripts/can-run-32bit.sh"; then target=i686 arch=win32; else target=x86_64 arch=win64; fi
"$top/scripts/build.sh" "$target" >/dev/null

data="$build/bench-data"
if [ "$(ls "$data/scan" 2>/dev/null | wc -l)" != "$files" ]; then
  rm -rf "$data/scan"; mkdir -p "$data/scan"
  (cd "$data/scan" && seq -f "Photo %06g from the holiday.JPG" 1 "$files" | xargs -d '\n' touch)
fi
if [ "$(ls "$data/mixed" 2>/dev/null | wc -l)" != "$files" ]; then
  rm -rf "$data/mixed"; mkdir -p "$data/mixed"
  (cd "$data/mixed" && seq 1 "$files" | awk '{
      k = $1 % 9
      if (k == 0) printf "Фото %06d из отпуска.JPG\n", $1
      else if (k == 3) printf "Été %06d à la plage.JPG\n", $1
      else if (k == 6) printf "写真 %06d 休日の海.JPG\n", $1
      else printf "Photo %06d from the holiday.JPG\n", $1 }' | xargs -d '\n' touch)
fi
rm -rf "$data/apply"; mkdir -p "$data/apply"
(cd "$data/apply" && seq -f "f%05g.dat" 1 5000 | xargs -d '\n' touch)

# The window figures need a display.
if [ -z "${DISPLAY:-}" ]; then
  source "$top/scripts/xvfb.sh"
  quillet_start_xvfb
  trap quillet_stop_xvfb EXIT
fi

echo "Quillet figures ($target build under Wine, $(nproc) cores; each the median of 5 runs)"
"$top/scripts/wine-run.sh" "$arch" "$build/$target/bench/quillet_bench.exe" "Z:${data//\//\\}"
