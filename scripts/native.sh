#!/usr/bin/env bash
# Builds the pure code and the file passes for this machine with clang and the
# address and undefined-behaviour sanitizers, and runs their tests.
#   scripts/native.sh
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLET_BUILD:-$top/build}/native"

if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++ cmake -S "$top/native" -B "$build" >/dev/null
fi
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "== native tests (address and undefined-behaviour sanitizers)"
"$build/native_tests" --gtest_brief=1
