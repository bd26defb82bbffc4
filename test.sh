#!/usr/bin/env bash
# Sets up what is missing, builds both targets and runs every test under Wine.
set -uo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
build="${QUILLET_BUILD:-$top/build}"
"$top/scripts/setup.sh" all || exit 1
source "$top/scripts/xvfb.sh"

for target in i686 x86_64; do
  "$top/scripts/build.sh" "$target" >"$build/build-$target.log" 2>&1 \
    || { cat "$build/build-$target.log"; echo "build of $target failed"; exit 1; }
done

# The pure core and the passes stay free of Win32 headers, and are built
# and tested natively under the sanitizers.
native_status=0
"$top/scripts/check-layers.sh" "$build/x86_64" || native_status=1
"$top/scripts/native.sh" || { echo "native build or tests failed"; native_status=1; }

runs=(x86_64)
if "$top/scripts/can-run-32bit.sh"; then
  runs=(i686 x86_64)
else
  echo "note: this machine cannot run 32-bit programs; the i686 build was compiled, its tests run on the x86_64 build only"
fi

quillet_start_xvfb || exit 1
trap quillet_stop_xvfb EXIT
status=$native_status
for target in "${runs[@]}"; do
  arch=win64; [ "$target" = i686 ] && arch=win32
  (
    source "$top/scripts/wine-env.sh" "$arch"
    # A persistent server saves every test its start-up. Neither it nor the
    # services Wine starts with the first program may inherit the test
    # runner's output, or ctest waits for them for ever: so the first program
    # runs here, with its streams closed.
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1
    echo "== tests of the $target build"
    ctest --test-dir "$build/$target" --output-on-failure -j2
    rc=$?
    "$WINESERVER" -k 2>/dev/null
    exit $rc
  ) || status=1
done
exit $status
