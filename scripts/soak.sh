#!/usr/bin/env bash
# Orlimo.exe under a long load (x86_64 build, Wine, null display driver):
# 4 senders x 2,500,000 messages at once, 2 debug output writers alongside,
# the inspector, find, the navigator message and the preferences opened by
# keys every 100,000 messages, every message checked in the saved log at the
# end, and the viewer's GDI and USER objects and private bytes watched (see
# tests/e2e/SoakDriver.cpp). It prints what it measured.
#   bash scripts/soak.sh            the full run
#   bash scripts/soak.sh --short    4 x 25,000 messages, dialogs every 20,000 (scripts/test.sh)
#   bash scripts/soak.sh --messages N   4 x N messages
# The build folder can be given: ORLIMO_SOAK_BUILD=build/x86_64 (the default).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

SENDERS=4 MESSAGES=2500000 WRITERS=2 LINES=25000 EVERY=100000 MEMORYCHECK=1
if [ "${1:-}" = "--short" ]; then
  # Too few messages for the private bytes' growth per message to settle
  # within 5 %: they are shown, not checked.
  MESSAGES=25000 LINES=2500 EVERY=20000 MEMORYCHECK=0
elif [ "${1:-}" = "--messages" ] && [ -n "${2:-}" ]; then
  MESSAGES="$2"  # a run of another length: messages per sender
elif [ -n "${1:-}" ]; then
  echo "usage: scripts/soak.sh [--short | --messages N]"; exit 2
fi

B="${ORLIMO_SOAK_BUILD:-$ROOT/build/x86_64}"
if [ "${ORLIMO_SOAK_NO_BUILD:-0}" != 1 ]; then
  bash scripts/install-deps.sh >/dev/null || { echo "dependency installation failed"; exit 1; }
  if ! cmake -S "$ROOT" -B "$B" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
         -DCMAKE_BUILD_TYPE=Release >"$B.soak-configure.log" 2>&1 ||
     ! cmake --build "$B" --target soak_driver >"$B.soak-build.log" 2>&1; then
    tail -n 30 "$B.soak-configure.log" "$B.soak-build.log" 2>/dev/null
    echo "soak: build failed"; exit 1
  fi
fi
DRIVER=$(find "$B" -type f -name soak_driver.exe | head -n 1)
[ -n "$DRIVER" ] || { echo "soak: soak_driver.exe not built"; exit 1; }

# Every message stays listed: a list larger than its usual 10,000,000 when needed.
NEEDED=$(( SENDERS * MESSAGES + WRITERS * LINES + 100000 ))
[ "$NEEDED" -gt 10000000 ] && export ORLIMO_LIST_CAPACITY=$NEEDED

source "$ROOT/scripts/wine-env.sh"
OUT=$(mktemp -d /tmp/orlimo-soak.XXXXXX)
wine_start "$ROOT/build/wineprefix-soak" null >/dev/null 2>&1
# The viewer's settings as installed (capture off: the driver switches it on by keys).
wine reg delete 'HKCU\Software\Brunelk' /f >/dev/null 2>&1 || true
echo "soak: $SENDERS senders x $MESSAGES messages, $WRITERS debug writers x $LINES lines, dialogs every $EVERY"
start=$(date +%s)
wine "$DRIVER" "$SENDERS" "$MESSAGES" "$WRITERS" "$LINES" "$EVERY" "Z:$OUT" "$MEMORYCHECK" >"$OUT/driver.log" 2>&1
rc=$?
wine_stop
cat "$OUT/driver.log" | tr -d '\r'
echo "soak: $(( $(date +%s) - start )) s, exit code $rc"
rm -rf "$OUT"
exit $rc
