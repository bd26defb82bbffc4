#!/usr/bin/env bash
# Floppy drives for the tests. Under Wine a drive letter is a link in the
# prefix ($WINEPREFIX/dosdevices/a:), so a: and b: can stand for any folder,
# and pointing a link at another folder "inserts" the next disk; a program
# that runs sees the new disk at once. Needs the Wine variables of
# scripts/wine-env.sh.
#
# Sourced:  floppy_drives_save; floppy_insert a FOLDER; ...; floppy_drives_restore
# Run:      floppy_drives.sh SCRATCH PROGRAM.exe [ARGUMENTS...]
#           runs the Windows program with a: at SCRATCH/a and b: at SCRATCH/b
#           (both made empty) and QUILLET_FLOPPY_SCRATCH naming SCRATCH the
#           Windows way, then puts both links back as they were.

floppy_link() { echo "$WINEPREFIX/dosdevices/$1:"; }

# Remembers where a: and b: point now ("" when they are not there).
floppy_drives_save() {
  floppy_saved_a=$(readlink "$(floppy_link a)" 2>/dev/null || true)
  floppy_saved_b=$(readlink "$(floppy_link b)" 2>/dev/null || true)
}

# Points drive a or b at a folder: the disk in that drive is now that folder.
floppy_insert() {
  ln -sfn "$(cd "$2" && pwd)" "$(floppy_link "$1")"
}

floppy_drives_restore() {
  local drive saved
  for drive in a b; do
    saved="floppy_saved_$drive"
    if [ -n "${!saved:-}" ]; then ln -sfn "${!saved}" "$(floppy_link "$drive")"; else rm -f "$(floppy_link "$drive")"; fi
  done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -uo pipefail
  scratch="$1"
  shift
  rm -rf "$scratch"
  mkdir -p "$scratch/a" "$scratch/b"
  floppy_drives_save
  trap floppy_drives_restore EXIT
  floppy_insert a "$scratch/a"
  floppy_insert b "$scratch/b"
  windows_scratch="Z:$(cd "$scratch" && pwd)"
  QUILLET_FLOPPY_SCRATCH="${windows_scratch//\//\\}" "$WINELOADER" "$@"
  status=$?
  rm -rf "$scratch"
  exit $status
fi
