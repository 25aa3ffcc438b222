#!/bin/sh
# A second Wine machine beside the one the tests run in: a prefix with its own
# wineserver, so that a program claiming the viewer's window class and mutex
# (lxrelay) runs next to the viewer, as it would on the computer under test.
#   machine.sh PREFIX start [DPI]        create the prefix when missing, start its server
#                                        (with DPI: the display scale its programs see,
#                                        in dots per inch; Wine reads it when its server starts)
#   machine.sh PREFIX run EXE [ARGS...]  run a Windows program there; its exit code
#   machine.sh PREFIX stop               end every program there
# Started from a Windows program under Wine too (Wine runs Unix programs).
set -u
PREFIX="$1"
CMD="$2"
shift 2
export WINEPREFIX="$PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$CMD" in
  start)
    if [ ! -f "$PREFIX/system.reg" ]; then
      mkdir -p "$PREFIX"
      wineboot -i >/dev/null 2>&1 </dev/null
      wineserver -w
    fi
    # No display: the programs there only need their windows to exist.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
    if [ -n "${1:-}" ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
      wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
           /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
    fi
    wineserver -w
    wineserver -p >/dev/null 2>&1 </dev/null
    ;;
  run)
    exec wine "$@" </dev/null
    ;;
  stop)
    # A program started just before may bring up a server after the first kill.
    for _ in 1 2 3; do
      wineserver -k >/dev/null 2>&1
      timeout 10 wineserver -w >/dev/null 2>&1 && break
    done
    ;;
  *)
    echo "usage: machine.sh PREFIX start|run EXE [ARGS...]|stop" >&2
    exit 2
    ;;
esac
