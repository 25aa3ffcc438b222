#!/usr/bin/env bash
# Builds and runs the benchmarks, printing their figures.
#   bash scripts/bench.sh            all benchmarks
#   bash scripts/bench.sh model      only those whose name contains "model"
#
# To add a benchmark, add one line at the end of the list below:
#   bench_native <name> <target> [args...]   native Release build (build/bench-native)
# or write a small function of your own next to it and call it there.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
bash scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

B="$ROOT/build"
NATIVE="$B/bench-native"
FILTER="${1:-}"
FAILED=0
NATIVE_CONFIGURED=0
source "$ROOT/scripts/wine-env.sh"

wanted() { [ -z "$FILTER" ] || [[ "$1" == *"$FILTER"* ]]; }

configure_native() {
  [ $NATIVE_CONFIGURED = 1 ] && return 0
  cmake -S "$ROOT" -B "$NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DORLIMO_SANITIZE=OFF -DORLIMO_TESTS=OFF >/dev/null || return 1
  NATIVE_CONFIGURED=1
}

bench_native() { # name target [args...]
  local name="$1" target="$2"; shift 2
  wanted "$name" || return 0
  echo
  echo "=== $name"
  if ! configure_native || ! cmake --build "$NATIVE" --target "$target" >/dev/null; then
    echo "$name: build failed"; FAILED=1; return 0
  fi
  local exe
  exe=$(find "$NATIVE" -type f -name "$target" -perm -u+x | head -n 1)
  (cd "$NATIVE" && "$exe" "$@") || { echo "$name: FAILED"; FAILED=1; }
}

# A benchmark that drives Orlimo.exe (MinGW build, i686 unless
# ORLIMO_BENCH_ARCH says x86_64) under Wine with the X11 driver in a virtual
# desktop (the list really paints), on Xvfb when there is no display.
#   bench_wine <name> <target> <program under the build folder> [args...]
bench_wine() {
  local name="$1" target="$2" program="$3"; shift 3
  wanted "$name" || return 0
  echo
  echo "=== $name"
  local arch="${ORLIMO_BENCH_ARCH:-i686}"
  [ "$ORLIMO_WINE32" = 1 ] || arch="${ORLIMO_BENCH_ARCH:-x86_64}"
  local dir="$B/bench-$arch"
  if ! cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
         -DCMAKE_BUILD_TYPE=Release -DORLIMO_TESTS=OFF >/dev/null ||
     ! cmake --build "$dir" --target "$target" >/dev/null; then
    echo "$name: build failed"; FAILED=1; return 0
  fi
  (
    set -e
    xvfb_pid=""
    if [ -z "${DISPLAY:-}" ]; then
      for n in $(seq 90 120); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then num=$n; break; fi
      done
      Xvfb ":$num" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$num"
      for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$num" ] && break; sleep 0.1; done
    fi
    export WINEPREFIX="$B/wineprefix-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then mkdir -p "$WINEPREFIX"; wineboot -i >/dev/null 2>&1 || true; wineserver -w; fi
    wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    wineserver -p
    rc=0
    echo "Orlimo.exe $arch, Wine $(wine --version 2>/dev/null)"
    wine "$dir/$program" "$@" || rc=$?
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    exit $rc
  ) || { echo "$name: FAILED"; FAILED=1; }
}

# Intake throughput: Orlimo.exe against an echo window; plain, logging to file
# and capturing debug output, each in the same run.
bench_intake() { bench_wine intake intake_bench bench/intake/intake_bench.exe; }

# --- the benchmarks ---------------------------------------------------------
bench_native model model_bench 1000000 "$NATIVE/model_bench.olx"
bench_native files files_bench 1000000 "$NATIVE/files_bench"
bench_native navigate navigate_bench 1000000 10000000
bench_native filter filter_bench 10000000
bench_intake
# Opening a 1,000,000-record log in Orlimo.exe against the model's load; saving and exporting it.
bench_wine open open_bench bench/files/open_bench.exe 1000000
# A log of 12,000,000 records on the command line: the list takes 10,000,000, then asks; closing ends the program.
bench_wine beyond open_bench bench/files/open_bench.exe --beyond 12000000
# Debug output: 3 writer processes x 20,000 lines, the viewer's capture against the smallest reader, 3 rounds.
bench_wine dbwin dbwin_bench bench/dbwin/dbwin_bench.exe "${ORLIMO_DBWIN_LINES:-20000}" 3 "${ORLIMO_DBWIN_ROUNDS:-3}"
# Logging to file: the writer's cost per record and the time of each flush to the disk.
bench_wine logfile logfile_bench bench/logfile/logfile_bench.exe 1000000
# The network: a client on a second Wine machine through lxrelay (directly and through rsyslog) against WM_COPYDATA.
bench_wine net net_bench bench/net/net_bench.exe --count "${ORLIMO_NET_COUNT:-20000}" --rounds "${ORLIMO_NET_ROUNDS:-3}"

exit $FAILED
