#!/usr/bin/env bash
# Takes a screenshot of LxGallery.exe inside a Wine virtual desktop on Xvfb.
#   tools/gallery/screenshot.sh <LxGallery.exe> <out.png> [gallery arguments...]
# e.g. screenshot.sh build/i686/tools/gallery/LxGallery.exe gallery.png /drop=color
set -euo pipefail
EXE="$(realpath "$1")"
OUT="$(realpath -m "$2")"
shift 2
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
export WINEPREFIX="${GALLERY_WINEPREFIX:-$ROOT/build/wineprefix-gallery}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
DISPLAY_NUM="${GALLERY_DISPLAY:-:77}"

Xvfb "$DISPLAY_NUM" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$XVFB" >/dev/null 2>&1 || true
  wait "$XVFB" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$DISPLAY_NUM"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# A real graphics driver (not the null one the tests use).
wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true

cd "$(dirname "$EXE")"
wine explorer /desktop=Gallery,1024x768 "$(basename "$EXE")" "$@" >/dev/null 2>&1 &
# Wait for the gallery's window, then let it paint (and open a list, if asked).
for _ in $(seq 100); do
  xdotool search --name "LxGallery" >/dev/null 2>&1 && break
  xdotool search --name "Gallery" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep "${GALLERY_SETTLE:-4}"
import -window root "$OUT"
echo "$OUT"
