#!/usr/bin/env bash
# Draws Quillet's icon (a page with a quill over it) at 32x32 and 16x16 and
# writes resources/quillet.ico. Run by hand when the drawing changes.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
convert -size 32x32 xc:none \
  -fill '#f4f1e8' -stroke '#5a5a5a' -strokewidth 1 -draw 'polygon 5,3 21,3 27,9 27,29 5,29' \
  -fill '#d8d2c0' -draw 'polygon 21,3 21,9 27,9' \
  -stroke '#8a8a8a' -draw 'line 9,14 22,14' -draw 'line 9,18 22,18' -draw 'line 9,22 17,22' \
  -stroke none -fill '#1f5fa8' -draw 'polygon 30,1 24,4 13,20 11,26 16,22 27,8' \
  -fill '#0d3563' -draw 'polygon 11,26 13,20 15,21' \
  -stroke '#0d3563' -strokewidth 1 -draw 'line 29,2 14,22' \
  "$work/32.png"
convert "$work/32.png" -resize 16x16 "$work/16.png"
convert "$work/16.png" "$work/32.png" "$top/resources/quillet.ico"
echo "wrote $top/resources/quillet.ico"
