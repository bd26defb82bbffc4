#!/usr/bin/env bash
# Configures (once) and builds one target: scripts/build.sh i686|x86_64
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLET_BUILD:-$top/build}"
target="$1"
if [ ! -f "$build/$target/Makefile" ]; then
  cmake -S "$top" -B "$build/$target" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$target-mingw.cmake" >/dev/null
fi
cmake --build "$build/$target" -j2
