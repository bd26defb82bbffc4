#!/usr/bin/env bash
# Installs what building and testing Quillet needs (only what is missing) and
# prepares a headless Wine prefix for each target inside the build folder.
# Idempotent: a second call costs seconds.
#   scripts/setup.sh [packages|prefix32|prefix64|all]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64
          fonts-wine xvfb xdotool imagemagick googletest cmake make xauth
          clang libclang-rt-14-dev fonts-wqy-microhei)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# A mirror caught mid-sync fails one index and serves it whole a little
# later; the install that follows tells whether what it needs was found.
refresh_lists() {
  local try
  for try in 1 2 3 4; do
    as_root apt-get update -q && return 0
    [ "$try" = 4 ] || sleep $((try * 15))
  done
  return 0
}

install_packages() {
  local missing=()
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    refresh_lists
  fi
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    refresh_lists
    local install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends)
    # Without the security index of one architecture, the other's newer
    # libraries no longer match it; the release's own versions always do.
    as_root "${install[@]}" "${missing[@]}" ||
      as_root "${install[@]}" -t "$(. /etc/os-release && echo "$VERSION_CODENAME")" "${missing[@]}"
  fi
}

# Wine's fonts hold no Chinese or Japanese, nor all of Greek: Wine's Tahoma
# borrows missing letters from "MS UI Gothic" and "SimSun" first, which here
# are a free font, so that names in those scripts can be seen on the screen.
link_fonts() {
  cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
  for face in "MS UI Gothic" SimSun; do
    "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1
  done
}

# Prepare the prefix of one target: $1 = win32 | win64.
prepare_prefix() {
  (
    source "$top/scripts/wine-env.sh" "$1"
    [ -f "$WINEPREFIX/.quillet-ready" ] && exit 0
    echo "setup: preparing Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"; mkdir -p "$(dirname "$WINEPREFIX")"
    export DISPLAY=""
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    cp /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # A desktop of its own keeps windows from waiting on a window manager.
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    link_fonts
    "$WINESERVER" -k 2>/dev/null || true; "$WINESERVER" -w 2>/dev/null || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "setup: wineboot failed for $WINEPREFIX" >&2; exit 1; }
    touch "$WINEPREFIX/.quillet-ready"
  )
}

what="${1:-all}"
case "$what" in
  packages) install_packages ;;
  prefix32) prepare_prefix win32 ;;
  prefix64) prepare_prefix win64 ;;
  all) install_packages
       "$top/scripts/can-run-32bit.sh" && prepare_prefix win32
       prepare_prefix win64 ;;
  *) echo "usage: $0 [packages|prefix32|prefix64|all]" >&2; exit 2 ;;
esac
