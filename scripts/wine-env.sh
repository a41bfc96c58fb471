# Sourced by ./run, ./test and the benchmarks: Wine prefixes of our own
# inside the build folder, quiet, without the Mono and Gecko prompts.
#   wine_use_prefix [NAME]   build/wineprefix, or build/wineprefix-NAME
TALLOW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
TALLOW_WINEPREFIXES=()

wine_use_prefix() {
  export WINEPREFIX="$TALLOW_ROOT/build/wineprefix${1:+-$1}"
  TALLOW_WINEPREFIXES+=("$WINEPREFIX")
}
wine_use_prefix

# Is Wine's 32-bit half installed?
wine32_installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' wine32:i386 2>/dev/null)" = installed ]
}

# Creates the prefix once (about 20 s) and keeps the Wine server running
# between test programs.
wine_prepare() {
  # A prefix made before Wine's 32-bit half was installed has no 32-bit
  # system folder, and Wine then starts nothing in it ("could not load
  # kernel32.dll"): it is made anew.
  if [ -f "$WINEPREFIX/system.reg" ] && wine32_installed &&
     [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "Making the Wine prefix anew: it predates Wine's 32-bit half ($WINEPREFIX)"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Wine draws title bars itself: Xvfb has no window manager to do it.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 || true
}

# Wine reports the Windows version VERSION (winxp, win7, ...) to programs of
# these file names in this prefix: wine_report_windows VERSION EXE...
wine_report_windows() {
  local version=$1 exe
  shift
  for exe in "$@"; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /d "$version" /f >/dev/null 2>&1
  done
}

# Starts a private Xvfb and points DISPLAY at it; it ends with the caller.
xvfb_start() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  TALLOW_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

wine_cleanup() {
  local prefix
  for prefix in "${TALLOW_WINEPREFIXES[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  [ -n "${TALLOW_XVFB_PID:-}" ] && kill "$TALLOW_XVFB_PID" 2>/dev/null || true
}
