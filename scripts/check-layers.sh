#!/usr/bin/env bash
# Fails when a file of the pure core or the passes includes <windows.h> (or
# another Win32 header), directly or through a project header.
#   scripts/check-layers.sh BUILD_FOLDER   (its pure-sources.txt lists the files)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
list="${1:?build folder}/pure-sources.txt"
[ -f "$list" ] || { echo "layer check: $list is missing; configure the build first" >&2; exit 1; }

win32='windows\.h|windowsx\.h|commctrl\.h|shellapi\.h|shlobj\.h|winbase\.h|winuser\.h'
declare -A seen=()
status=0

# $1 = file, $2 = how it was reached
walk() {
  local file="$1" chain="$2"
  [ -n "${seen[$file]:-}" ] && return 0
  seen[$file]=1
  if grep -Eq "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($win32)>" "$file"; then
    echo "layer check: ${chain} includes a Win32 header: $(grep -Eo "<($win32)>" "$file" | head -1)"
    status=1
  fi
  local name next
  while read -r name; do
    next="$(dirname "$file")/$name"
    [ -f "$next" ] || next="$top/$name"
    [ -f "$next" ] && walk "$(realpath "$next")" "$chain -> ${next#"$top"/}"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  return 0
}

while read -r source; do
  [ -n "$source" ] && walk "$(realpath "$source")" "${source#"$top"/}"
done <"$list"
[ $status = 0 ] && echo "layer check: $(wc -l <"$list") files of the pure core and the passes include no Win32 header"
exit $status
