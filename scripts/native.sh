#!/usr/bin/env bash
# Builds the pure code and the file passes for this machine with clang and the
# address and undefined-behaviour sanitizers,
# runs their tests, then runs each fuzz target for a few seconds.
#   scripts/native.sh [--fuzz-minutes N]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLET_BUILD:-$top/build}/native"
seconds=3
case "${1:-}" in
  # libFuzzer takes a time of 0 for no end: 0 minutes skips the fuzzing.
  --fuzz-minutes) seconds=$(( ${2:?minutes} * 60 )) ;;
  "") ;;
  *) echo "usage: $0 [--fuzz-minutes N]" >&2; exit 2 ;;
esac

if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++ cmake -S "$top" -B "$build" -DQUILLET_NATIVE=ON >/dev/null
fi
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Once in a Western 8-bit code page, once in UTF-8, as the program speaks it
# where the system honours its manifest.
code_pages=(western utf-8)
echo "== native tests (address and undefined-behaviour sanitizers), in both code pages"
for code_page in "${code_pages[@]}"; do
  QUILLET_CODE_PAGE="$code_page" "$build/tests/native_tests" --gtest_brief=1 \
    --gtest_filter=-NoFileLost.RandomFoldersActionsAndFailures
done

# The no-file-lost property over many random cases, one shard a core and a
# code page. The sanitizers' fill of each new block is what costs most there,
# not the checks.
cases="${QUILLET_PROPERTY_CASES:-100000}"
echo "== no file lost: $cases random cases"
pids=()
for shard in 0 1; do
  ASAN_OPTIONS="$ASAN_OPTIONS:max_malloc_fill_size=0:malloc_context_size=4" \
    QUILLET_PROPERTY_CASES="$cases" QUILLET_PROPERTY_SHARD="$shard/2" QUILLET_CODE_PAGE="${code_pages[$shard]}" \
    "$build/tests/native_tests" --gtest_brief=1 --gtest_filter=NoFileLost.RandomFoldersActionsAndFailures \
    >"$build/property-$shard.log" 2>&1 &
  pids+=($!)
done
property_status=0
for shard in 0 1; do
  wait "${pids[$shard]}" || { cat "$build/property-$shard.log"; property_status=1; }
done
[ "$property_status" -eq 0 ] || { echo "the no-file-lost property failed"; exit 1; }

# Each fuzz target for a while, from the committed seeds; the inputs it finds
# are kept in the build folder for the next run. libFuzzer writes only into the
# first folder it is given, the build's: the seeds in tests/fuzz/corpus are
# read, never added to.
[ "$seconds" -gt 0 ] || exit 0
echo "== fuzz targets, ${seconds} s each (executions per second)"
for target in command_line journal name_pieces number_text settings transforms; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  log="$build/$target-fuzz.log"
  if ! "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$target-" \
       "$work" "$top/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz target $target failed: the input is in $build/$target-*"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "$target: $runs runs, $rate per second"
done
