# Sourced by the test and demonstration scripts: a private Wine prefix, a
# persistent wineserver and a keep-alive window, so each test program starts in
# milliseconds instead of seconds.
#   wine_start <prefix> <null|x11>   wine_stop
#
# Sourcing it also settles which Wine loader runs: Debian's `wine` wrapper
# takes the 32-bit loader whenever wine32 is installed, but some kernels
# (virtual machines built without 32-bit support) cannot execute it. There
# the 64-bit loader runs everything through a small `wine` of our own put
# first on the PATH, and ORLIMO_WINE32=0 tells the scripts that 32-bit
# Windows programs cannot run on this machine.
_orlimo_wine_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export ORLIMO_WINE32=1
else
  export ORLIMO_WINE32=0
  if [ -x /usr/lib/wine/wine64 ]; then
    _orlimo_shim="$_orlimo_wine_root/build/wine64-loader"
    mkdir -p "$_orlimo_shim"
    for _n in wine wine-stable; do
      printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
        > "$_orlimo_shim/$_n"
      chmod +x "$_orlimo_shim/$_n"
    done
    case ":$PATH:" in *":$_orlimo_shim:"*) ;; *) export PATH="$_orlimo_shim:$PATH" ;; esac
    export WINELOADER=/usr/lib/wine/wine64
  fi
fi
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
