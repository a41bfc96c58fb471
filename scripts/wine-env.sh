# Sourced by ./run, ./test and the benchmarks: a Wine prefix of our own inside
# the build folder, quiet, without the Mono and Gecko prompts.
TALLOW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$TALLOW_ROOT/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Creates the prefix once (about 10 s) and keeps the Wine server running
# between test programs.
wine_prepare() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Wine draws title bars itself: Xvfb has no window manager to do it.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 || true
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
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${TALLOW_XVFB_PID:-}" ] && kill "$TALLOW_XVFB_PID" 2>/dev/null || true
}
