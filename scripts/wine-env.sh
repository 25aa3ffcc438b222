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
}

wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "${WINE_KEEPALIVE:-}" ]; then wait "$WINE_KEEPALIVE" 2>/dev/null || true; fi
}
