#!/usr/bin/env bash
# Runs a Windows program under Wine: scripts/wine-run.sh win32|win64 PROGRAM [ARGS...]
# Used by ctest as the cross-compiling emulator and by the run and bench scripts.
set -e
source "$(dirname "$0")/wine-env.sh" "$1"
shift
exec "$WINELOADER" "$@"
