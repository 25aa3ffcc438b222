#!/usr/bin/env bash
# Builds every configuration and runs every test:
#   native (host g++, ASan + UBSan), the format and tidy checks (scripts/lint.sh,
#   counted as one test), libFuzzer smoke runs (clang), MinGW-w64 x86_64 and
#   i686 under Wine, the short soak, and the packages (scripts/test-package.sh).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
bash scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

JOBS=$(nproc)
B="$ROOT/build"
mkdir -p "$B"
FAILED=0
PASSED_TOTAL=0
FAILED_TOTAL=0
LOG="$B/ctest-summary.txt"
: > "$LOG"

step() { echo; echo "=== $(date +%T) $*"; }

run_ctest() { # name dir [jobs]
  local name="$1" dir="$2" jobs="${3:-$JOBS}" out
  out=$(cd "$dir" && ctest --output-on-failure --timeout 300 -j"$jobs" 2>&1)
  local rc=$?
  echo "$out" | grep -vE '^ +Start [0-9]+:|Test +#[0-9]+: .* Passed' | tail -n 150
  local line
  line=$(echo "$out" | grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' | tail -n 1)
  if [ -n "$line" ]; then
    local failed total
    failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
    PASSED_TOTAL=$((PASSED_TOTAL + total - failed))
    FAILED_TOTAL=$((FAILED_TOTAL + failed))
    echo "$name: $line" >> "$LOG"
  else
    echo "$name: no test results" >> "$LOG"
    FAILED_TOTAL=$((FAILED_TOTAL + 1))
  fi
  [ $rc -eq 0 ] || FAILED=1
}

build() { # dir args... (a failed build counts as one failed test)
  local dir="$1"; shift
  mkdir -p "$dir"
  if cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 &&
     cmake --build "$dir" -j"$JOBS" >"$dir/build.log" 2>&1; then
    echo "built $(grep -c 'Building\|Linking' "$dir/build.log") steps"
    return 0
  fi
  cat "$dir/configure.log" | tail -n 20
  grep -A 12 -E 'error|FAILED' "$dir/build.log" | head -n 80
  FAILED_TOTAL=$((FAILED_TOTAL + 1))
  return 1
}

step "native build (ASan + UBSan)"
if build "$B/native"; then run_ctest native "$B/native"; else echo "native build failed"; FAILED=1; fi

step "lint (clang-format, clang-tidy on the native build)"
if bash scripts/lint.sh --build "$B/native" >"$B/lint.log" 2>&1; then
  cat "$B/lint.log"; echo "lint: passed" >> "$LOG"; PASSED_TOTAL=$((PASSED_TOTAL + 1))
else
  head -n 200 "$B/lint.log"; echo "lint: FAILED (findings in build/lint.log)" >> "$LOG"
  FAILED=1; FAILED_TOTAL=$((FAILED_TOTAL + 1))
fi

step "fuzz smoke runs (clang, libFuzzer)"
if build "$B/fuzz" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 -DORLIMO_FUZZ=ON -DORLIMO_TESTS=OFF; then
  for f in "$B"/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    corpus="$B/fuzz/corpus-$(basename "$f")"; mkdir -p "$corpus"
    seeds="$ROOT/fuzz/corpus/$(basename "$f")"; [ -d "$seeds" ] || seeds=""
    if "$f" -max_total_time="${ORLIMO_FUZZ_SECONDS:-10}" -print_final_stats=0 \
         -artifact_prefix="$B/fuzz/" "$corpus" $seeds >"$f.log" 2>&1; then
      echo "$(basename "$f"): ok ($(grep -c . "$f.log") log lines)"; PASSED_TOTAL=$((PASSED_TOTAL + 1))
    else
      echo "$(basename "$f"): FAILED"; tail -n 40 "$f.log"; FAILED=1; FAILED_TOTAL=$((FAILED_TOTAL + 1))
    fi
  done
else
  echo "fuzz build failed"; FAILED=1
fi

source "$ROOT/scripts/wine-env.sh"
# The Wine tests keep about a third of one core busy (they mostly wait for
# windows, messages and processes), so the i686 build runs beside the x86_64
# tests, at a lower priority so that the tests' programs are not kept waiting.
step "MinGW-w64 x86_64 build"
if build "$B/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release; then
  X64_BUILT=1
else
  X64_BUILT=0; echo "x86_64 build failed"; FAILED=1
fi
I686_START=$(date +%s)
( nice -n 10 bash -c "$(declare -f build); ROOT='$ROOT' JOBS='$JOBS' FAILED_TOTAL=0 \
    build '$B/i686' -DCMAKE_TOOLCHAIN_FILE='$ROOT/cmake/mingw-i686.cmake' -DCMAKE_BUILD_TYPE=Release" \
    >"$B/i686.stage.log" 2>&1 ) &
I686_PID=$!
if [ $X64_BUILT = 1 ]; then
  step "tests under Wine (x86_64), the i686 build beside them"
  wine_start "$B/wineprefix" null
  # One test program at a time: the Wine programs share one desktop, and a
  # window shown by one would take the activation, and with it the keyboard
  # focus, from the window another is typing into.
  run_ctest "wine-x86_64" "$B/x86_64" 1
  wine_stop
fi
wait $I686_PID
I686_RC=$?
step "MinGW-w64 i686 build (started $(date -d "@$I686_START" +%T), beside the x86_64 tests)"
cat "$B/i686.stage.log"
if [ $I686_RC -ne 0 ]; then
  echo "i686 build failed"; FAILED=1; FAILED_TOTAL=$((FAILED_TOTAL + 1))
elif [ "$ORLIMO_WINE32" = 0 ]; then
  echo "i686: built; its Wine tests not run: this machine's kernel cannot run 32-bit programs"
  echo "wine-i686: built, not run (no 32-bit support in this kernel)" >> "$LOG"
else
  step "tests under Wine (i686)"
  wine_start "$B/wineprefix" null
  run_ctest "wine-i686" "$B/i686" 1
  wine_stop
fi

step "soak, short (x86_64 under Wine)"
if ORLIMO_SOAK_NO_BUILD=1 bash scripts/soak.sh --short >"$B/soak.log" 2>&1; then
  grep '^soak:' "$B/soak.log" | tail -n 4; echo "soak: passed" >> "$LOG"; PASSED_TOTAL=$((PASSED_TOTAL + 1))
else
  tail -n 30 "$B/soak.log"; echo "soak: FAILED (build/soak.log)" >> "$LOG"
  FAILED=1; FAILED_TOTAL=$((FAILED_TOTAL + 1))
fi

step "packages: the installer and the portable zip under Wine"
if bash scripts/test-package.sh >"$B/package.log" 2>&1; then
  grep -E '^package:' "$B/package.log"; echo "package: passed ($(grep -c '^ok:' "$B/package.log") checks)" >> "$LOG"
  PASSED_TOTAL=$((PASSED_TOTAL + 1))
else
  grep -E '^(FAILED|package:)' "$B/package.log"; tail -n 30 "$B/package.log"
  echo "package: FAILED (build/package.log)" >> "$LOG"
  FAILED=1; FAILED_TOTAL=$((FAILED_TOTAL + 1))
fi

echo
echo "=== summary"
cat "$LOG"
echo "Orlimo: $PASSED_TOTAL passed, $FAILED_TOTAL failed"
exit $FAILED
