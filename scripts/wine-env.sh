# Sourced by the scripts that run Windows programs: one 64-bit Wine prefix
# under build/, quiet, without the Mono and Gecko installers, made on first use.
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINELOADER" wineboot -i >/dev/null 2>&1
  wineserver -w
fi
