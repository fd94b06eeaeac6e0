# Sourced by the scripts that run Windows programs: one 64-bit Wine prefix
# under build/, quiet, without the Mono and Gecko installers, made on first use.
# It runs 64-bit programs, and 32-bit ones where 32-bit Wine is installed.
export WINEPREFIX="${WINEPREFIX:-$(realpath "$(dirname "${BASH_SOURCE[0]}")/..")/build/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=/usr/lib/wine/wine64
# A prefix made before 32-bit Wine was installed has no 32-bit system: make it anew.
if [ -x /usr/lib/wine/wine ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
fi
# Wine's own fonts, in the prefix's Fonts folder where Wine looks for them:
# "MS Sans Serif" as on Windows (another face is wider, and the prompts lose
# words) and Marlett, which draws the caption's buttons.
ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

# Keeps one Wine server, and the services it starts with the first program,
# running until `wineserver -k`: programs then start in a blink. The services
# are started here, away from the caller's output, which they would otherwise
# hold open (and a test runner waiting for that output would wait forever).
start_wine_server() {
  wineserver -w  # a server that a lone program started goes first
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINELOADER" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

# A bare virtual display has no window manager: Wine then draws and manages its
# windows itself. Otherwise every window that closes waits two seconds for a
# manager to withdraw it. On a desktop with a manager, the defaults come back.
use_window_manager() {  # yes or no
  local key='HKCU\Software\Wine\X11 Driver'
  local value
  for value in Managed Decorated; do
    if [ "$1" = no ]; then
      "$WINELOADER" reg add "$key" /v "$value" /d N /f </dev/null >/dev/null 2>&1
    else
      "$WINELOADER" reg delete "$key" /v "$value" /f </dev/null >/dev/null 2>&1 || true
    fi
  done
}

# The Wine loader for the programs of a build: 32-bit Wine for the shipped
# win32 build, wine64 for the win64 one.
program_loader() {  # win32 or win64
  if [ "$1" = win32 ]; then echo /usr/lib/wine/wine; else echo "$WINELOADER"; fi
}
