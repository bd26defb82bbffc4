#!/usr/bin/env bash
# Checks the layers of the build:
# - every source and header of engine/, app/, tools/ and ui/ opens with the
#   line that names its layer, and that layer is the library its
#   CMakeLists.txt puts it in (a header: the library of its source of the same
#   name, or of the platform's _native and _win32 sources of that name);
# - no file of the pure core or the passes, nor any file stating one of those
#   layers, includes <windows.h> (or another Win32 header), directly or
#   through a project header.
#   scripts/check-layers.sh BUILD_FOLDER   (its pure-sources.txt and
#                                           layer-sources.txt list the files)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
list="${1:?build folder}/pure-sources.txt"
layers="$1/layer-sources.txt"
for needed in "$list" "$layers"; do
  [ -f "$needed" ] || { echo "layer check: $needed is missing; configure the build first" >&2; exit 1; }
done

# The first line of every file of each library, word for word.
declare -A stated=(
  [quillet_platform]="// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins)."
  [quillet_core]="// Layer: pure core (no <windows.h>, built natively too)."
  [quillet_passes]="// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too)."
  [quillet_win32]="// Layer: Win32 adapters (the real file operations and the settings file's place)."
  [quillet_ui]="// Layer: window framework."
  [quillet_dialogs]="// Layer: dialogs (the action dialogs and the tools' windows)."
  [quillet_app]="// Layer: application (the main window, the application object, the program)."
)
win32='windows\.h|windowsx\.h|commctrl\.h|shellapi\.h|shlobj\.h|winbase\.h|winuser\.h'
declare -A seen=() library_of=()
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

# The library a file belongs to, or empty for a header of its own.
library() {
  local file="$1" stem="${1%.*}"
  case "$file" in
    *.cpp) echo "${library_of[$file]:-none}" ;;
    *) echo "${library_of[$stem.cpp]:-${library_of[${stem}_win32.cpp]:-${library_of[${stem}_native.cpp]:-}}}" ;;
  esac
}

while read -r target source; do
  library_of[$(realpath "$source")]="$target"
done <"$layers"

checked=0
while read -r file; do
  first="$(head -1 "$file")"
  name="${file#"$top"/}"
  lib="$(library "$file")"
  if [ "$lib" = none ]; then
    echo "layer check: $name is in no library"
    status=1
  elif [ -n "$lib" ] && [ "$first" != "${stated[$lib]}" ]; then
    echo "layer check: $name is in $lib, but its first line is: $first"
    status=1
  elif [ -z "$lib" ] && ! printf '%s\n' "${stated[@]}" | grep -qxF -- "$first"; then
    echo "layer check: $name does not open with the line of a layer: $first"
    status=1
  fi
  if [ "$first" = "${stated[quillet_core]}" ] || [ "$first" = "${stated[quillet_passes]}" ]; then
    walk "$file" "$name"
  fi
  checked=$((checked + 1))
done < <(find "$top/engine" "$top/app" "$top/tools" "$top/ui" \( -name '*.cpp' -o -name '*.h' \) -exec realpath {} + | sort)

while read -r source; do
  [ -n "$source" ] && walk "$(realpath "$source")" "${source#"$top"/}"
done <"$list"
[ $status = 0 ] && echo "layer check: $(wc -l <"$list") files of the pure core and the passes include no Win32 header"
[ $status = 0 ] && echo "layer check: $checked files of engine/, app/, tools/ and ui/ state the layer their library is in"
exit $status
