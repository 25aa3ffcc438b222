#!/usr/bin/env bash
# The demonstration: builds Orlimo.exe and lxsend, starts the viewer in a Wine
# virtual desktop (under Xvfb when there is no display), sends it a stream of
# every kind of message, takes a screenshot and saves the list as a log file.
#
# Results: build/demo/orlimo.png (screenshot), build/demo/demo.olx (saved log).
# With a real DISPLAY the viewer keeps running afterwards; without one
# everything is closed again.
#   ORLIMO_DEMO_ARCH=i686|x86_64   which build (default i686, the 32-bit product,
#                                  or x86_64 where the kernel runs no 32-bit programs)
#
# With --ide the IDE host program IdeHost.exe is started instead, with the
# panel plug-in LxPnl30.dll showing the viewer docked at the bottom of its
# window; the stream goes to the plug-in's satellite window. Results:
# build/demo/idehost.png and build/demo/demo-ide.olx.
#
# With --scales the viewer is shown once more at each display scale, 100, 150
# and 200 % (the prefix's LogPixels 96, 144 and 192), and once in the dark look
# (Theme "2"), each after the same stream, for a person to compare: results
# build/demo/orlimo-100.png, orlimo-150.png, orlimo-200.png and orlimo-dark.png;
# and every glyph at 1, 1.5 and 2 times side by side: build/demo/glyphs-scales.png.
set -euo pipefail
IDE=0
SCALES=0
for arg in "$@"; do
  case "$arg" in
    --ide) IDE=1 ;;
    --scales) SCALES=1 ;;
    *) echo "usage: demo.sh [--ide | --scales]" >&2; exit 1 ;;
  esac
done
[ "$IDE" = 1 ] && [ "$SCALES" = 1 ] && { echo "demo.sh: --ide and --scales do not go together" >&2; exit 1; }
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
bash scripts/install-deps.sh

source "$ROOT/scripts/wine-env.sh"
# The 32-bit product where this machine can run 32-bit programs, else the
# 64-bit build of the same sources.
if [ "$ORLIMO_WINE32" = 1 ]; then ARCH="${ORLIMO_DEMO_ARCH:-i686}"; else ARCH="${ORLIMO_DEMO_ARCH:-x86_64}"; fi
BUILD="${ORLIMO_DEMO_BUILD:-$ROOT/build/$ARCH}"
OUT="$ROOT/build/demo"
mkdir -p "$OUT"
if [ "$IDE" = 1 ]; then
  SHOT="$OUT/idehost.png"; LOG="$OUT/demo-ide.olx"; TO=satellite; TARGETS="IdeHost LxPnl30 lxsend"
else
  SHOT="$OUT/orlimo.png"; LOG="$OUT/demo.olx"; TO=main; TARGETS="Orlimo lxsend"
fi
rm -f "$SHOT" "$LOG"

echo "=== building $TARGETS ($ARCH)"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$ARCH.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target $TARGETS
ORLIMO_EXE="$BUILD/src/hosts/standalone/Orlimo.exe"
LXSEND_EXE="$BUILD/tools/lxsend/lxsend.exe"
IDEHOST_EXE="$BUILD/ide/IdeHost.exe"

# A display: the user's, or a private Xvfb.
XVFB_PID=""
OWN_DISPLAY=0
if [ -z "${DISPLAY:-}" ]; then
  OWN_DISPLAY=1
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then DISPLAY_NUM=$n; break; fi
  done
  Xvfb ":$DISPLAY_NUM" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$DISPLAY_NUM"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$DISPLAY_NUM" ] && break; sleep 0.1; done
fi

# Our own Wine prefix with the X11 driver; its default desktop is a virtual
# desktop of 1024 x 768, so windows get frames and every Wine program of the
# prefix (the viewer and lxsend) shares it.
export WINEPREFIX="$ROOT/build/wineprefix-demo"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "=== creating the Wine prefix (once)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# The viewer's placement, columns and panes for the demonstration: the
# inspector pane and the scratch pad open beside and below the list.
KEY='HKCU\Software\Brunelk\Orlimo\1.0'
for v in "Left 40" "Top 30" "Width 940" "Height 680" "Maximized 0" "OnTop 0"; do
  set -- $v; wine reg add "$KEY\\Position" /v "$1" /d "$2" /f >/dev/null 2>&1
done
for v in "Icons 1" "TimeStamp 1" "AppName 1" "Inspector 1" "ScratchPad 1" "InspectorBarPos 560" \
         "ScratchPadBarPos 470"; do
  set -- $v; wine reg add "$KEY\\View" /v "$1" /d "$2" /f >/dev/null 2>&1
done
# The panel inside the IDE host keeps its own settings.
for v in "Icons 1" "TimeStamp 1" "AppName 1" "Inspector 1" "InspectorBarPos 560" "IgnoreMessages 0"; do
  set -- $v; wine reg add "$KEY\\CodeRush\\View" /v "$1" /d "$2" /f >/dev/null 2>&1
done
wineserver -w
wineserver -p

cleanup() {
  if [ "$OWN_DISPLAY" = 1 ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT

lxsend() { wine "$LXSEND_EXE" "$@"; }

if [ "$IDE" = 1 ]; then
  echo "=== starting IdeHost.exe with the panel plug-in in a Wine virtual desktop"
  wine explorer /desktop=Default,1024x768 "$IDEHOST_EXE" --show >/dev/null 2>&1 &
else
  echo "=== starting Orlimo.exe in a Wine virtual desktop"
  wine explorer /desktop=Default,1024x768 "$ORLIMO_EXE" >/dev/null 2>&1 &
fi
# Waits (bounded) until the receiving window exists, then sends the stream.
lxsend --to $TO --wait 60000 --demo
# Painting is coalesced: give the viewer a moment to show the last burst.
sleep 1
import -window root "$SHOT"
lxsend --to $TO --quiet savelog "$(winepath -w "$LOG")"

echo
echo "=== made"
ls -l "$SHOT" "$LOG"
if [ "$IDE" = 1 ]; then
  echo "  build/demo/idehost.png    screenshot of the IDE host with the docked panel after the stream"
  echo "  build/demo/demo-ide.olx   the panel's list saved with the save-log command"
else
  echo "  build/demo/orlimo.png   screenshot of the viewer after the demonstration stream"
  echo "  build/demo/demo.olx     the list saved with the save-log command (open it with Orlimo.exe)"
fi
# The display scale the prefix's programs see, in dots per inch.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
       /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
if [ "$SCALES" = 1 ]; then
  lxsend --to main --close || true
  for shot in "100 96 0" "150 144 0" "200 192 0" "dark 96 2"; do
    set -- $shot
    # A new desktop and viewer read the scale and the look when they start.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    set_dpi "$2"
    wine reg add "$KEY\\View" /v Theme /d "$3" /f >/dev/null 2>&1
    wineserver -w
    wineserver -p
    wine explorer /desktop=Default,1024x768 "$ORLIMO_EXE" >/dev/null 2>&1 &
    lxsend --to main --wait 60000 --demo
    sleep 1
    import -window root "$OUT/orlimo-$1.png"
    lxsend --to main --close || true
    echo "  build/demo/orlimo-$1.png"
  done
  set_dpi 96
  wine reg add "$KEY\\View" /v Theme /d 0 /f >/dev/null 2>&1
  python3 tools/pixelart/contact_sheet.py --scales --columns 3 "$OUT/glyphs-scales.png" \
    resources/core/glyphs/*.art $(ls resources/components/*.art | grep -v '\.cur\.art$')
  echo "  build/demo/glyphs-scales.png"
fi
if [ "$OWN_DISPLAY" = 1 ]; then
  [ "$IDE" = 1 ] || [ "$SCALES" = 1 ] || lxsend --to main --close || true
else
  echo "The viewer keeps running on $DISPLAY. Send more with:"
  echo "  WINEPREFIX=$WINEPREFIX wine $LXSEND_EXE info \"Hello\""
  echo "Stop it with: WINEPREFIX=$WINEPREFIX wineserver -k"
fi
