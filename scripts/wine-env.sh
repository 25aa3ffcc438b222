# Sourced by the test and demonstration scripts: a private Wine prefix, a
# persistent wineserver and a keep-alive window, so each test program starts in
# milliseconds instead of seconds.
#   wine_start <prefix> <null|x11>   wine_stop
wine_start() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  local driver="$2"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  if [ "$driver" = null ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  else
    wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
  fi
  wineserver -w
  wineserver -p
  # One window stays open so the desktop process does not restart per test.
  wine notepad </dev/null >/dev/null 2>&1 &
  WINE_KEEPALIVE=$!
  # Wait (at most 10 s) for the desktop process it starts: a test program that
  # started it instead would hand it its output pipe, and CTest would wait on
  # that pipe until its timeout.
  local i pid
  for i in $(seq 100); do
    for pid in $(pgrep -f 'explorer.exe /desktop' 2>/dev/null); do
      tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    sleep 0.1
  done
}

wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "${WINE_KEEPALIVE:-}" ]; then wait "$WINE_KEEPALIVE" 2>/dev/null || true; fi
}
