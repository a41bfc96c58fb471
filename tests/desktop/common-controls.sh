#!/usr/bin/env bash
# Windows XP registers no class of the version 6 common controls that the
# manifest asks for until the program calls InitCommonControlsEx: without the
# call the idler's buttons, labels and reason box are never created there.
# Wine registers them by itself, so its relay log is what shows whether the
# idler asks, and asks before its first window. Run by CTest under Wine with
# the prefix of the desktop tests; no practice room is needed.
#   common-controls.sh <idler exe>
set -u
exe=$1
# The main window's class, as the idler names it.
class=$(sed -n 's/.*kIdlerClass = L"\(.*\)";.*/\1/p' "$(dirname "$0")/../../idler/win32/shared_names.h")
[ -n "$class" ] || { echo "FAILED: no kIdlerClass in idler/win32/shared_names.h"; exit 1; }
log=$(mktemp)
key='HKCU\Software\Wine\Debug'
wine reg add "$key" /v RelayInclude /f \
  /d 'comctl32.InitCommonControlsEx;user32.CreateWindowExA;user32.CreateWindowExW' >/dev/null 2>&1
WINEDEBUG=+relay wine "$exe" </dev/null >/dev/null 2>"$log" &
idler=$!
# The idler's thread is the one that creates its main window.
thread=""
for _ in $(seq 300); do
  thread=$(grep -m1 "Call user32.CreateWindowExW(.*L\"$class\"" "$log" | cut -d: -f1)
  [ -n "$thread" ] && break
  sleep 0.1
done
kill "$idler" 2>/dev/null
wait "$idler" 2>/dev/null
wine reg delete "$key" /v RelayInclude /f >/dev/null 2>&1

status=0
if [ -z "$thread" ]; then
  echo "FAILED: the idler's main window never showed in the relay log"
  status=1
else
  calls=$(grep "^$thread:\(Call\|Ret \) \(comctl32\|user32\)" "$log")
  first_window=$(grep -n -m1 'Call user32.CreateWindowEx' <<<"$calls" | cut -d: -f1)
  registered=$(grep -n -m1 'Ret  comctl32.InitCommonControlsEx() retval=00000001' <<<"$calls" | cut -d: -f1)
  if [ -z "$registered" ]; then
    echo "FAILED: the idler never called InitCommonControlsEx, or the call failed"
    status=1
  elif [ "$registered" -gt "$first_window" ]; then
    echo "FAILED: InitCommonControlsEx came after the idler's first window"
    status=1
  else
    echo "InitCommonControlsEx returned TRUE before the idler's first window:"
  fi
  head -n "$first_window" <<<"$calls"
fi
rm -f "$log"
exit "$status"
