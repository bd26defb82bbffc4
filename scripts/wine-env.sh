# Sourced with one argument, win32 or win64: exports what running a program of
# that target under Wine needs. The loaders are named directly because the
# /usr/bin/wine launcher always picks the 32-bit loader when it is installed,
# even where the machine cannot run it.
quillet_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
quillet_build="${QUILLET_BUILD:-$quillet_top/build}"
export WINEARCH="$1"
if [ "$1" = win32 ]; then
  export WINEPREFIX="$quillet_build/wine32" WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
else
  export WINEPREFIX="$quillet_build/wine64" WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
fi
# Programs run in English and in UTC unless a test names another locale in
# QUILLET_LANG or another zone in QUILLET_TZ.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG="${QUILLET_LANG:-C.UTF-8}" TZ="${QUILLET_TZ:-UTC}"
export LC_ALL="$LANG"
