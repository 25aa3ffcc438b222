#!/usr/bin/env bash
# Builds every configuration and runs every test:
#   native (host g++, ASan + UBSan), the format and tidy checks (scripts/lint.sh,
#   counted as one test), libFuzzer smoke runs (clang), MinGW-w64 x86_64 and
#   i686 under Wine, the short soak, and the packages (scripts/test-package.sh).
#
# The compiles run one after another at a lower priority, each on every core:
# x86_64, i686, native (and its tests), fuzz, lint. The programs under Wine
# mostly wait for windows, messages and processes, so they run in lanes beside
# the compiles that follow their build, each under a Wine server, prefix and
# desktop of its own (one program's window can then never take another's
# focus): x86_64's tests; i686's tests; the short soak, then the packages.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
bash scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

JOBS=$(nproc)
B="$ROOT/build"
S="$B/stages"      # per stage: <name>.count ("passed failed") and <name>.sum (its summary line)
rm -rf "$S"
mkdir -p "$S"
START=$(date +%s)
LOW="nice -n 10"   # the compiles; the Wine lanes keep the normal priority

step() { echo; echo "=== $(date +%T) $*"; }
result() { echo "$2 $3" > "$S/$1.count"; echo "$1: $4" > "$S/$1.sum"; }

# Counts test cases: a test program that runs all its cases as one CTest test
# (the programs under Wine) counts by its GoogleTest results (named after the
# test; the caller removes earlier ones); one that left none (it crashed, or
# hung until its timeout) counts as one failed test.
run_ctest() { # name dir jobs [ctest options]
  local name="$1" dir="$2" jobs="$3" out line failed total xml t f test
  shift 3
  out=$(cd "$dir" && ctest --output-on-failure --timeout 300 -j"$jobs" "$@" 2>&1)
  local rc=$?
  echo "$out" | grep -vE '^ +Start [0-9]+:|Test +#[0-9]+: .* Passed' | tail -n 150
  line=$(echo "$out" | grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' | tail -n 1)
  if [ -z "$line" ] && [ $rc -eq 0 ] && echo "$out" | grep -q 'No tests were found'; then
    result "$name" 0 0 "no tests"
    return
  fi
  if [ -z "$line" ]; then
    result "$name" 0 1 "no test results"
    return
  fi
  failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
  local programs=0 cases=0 case_failures=0 failed_programs=0
  for test in $(echo "$out" | sed -nE 's/.*Test +#[0-9]+: ([^ ]+) .*/\1/p'); do
    xml="$dir/gtest-results/$test.xml"
    [ -f "$xml" ] || continue
    read -r t f < <(sed -nE 's/.*<testsuites tests="([0-9]+)" failures="([0-9]+)".*/\1 \2/p;T;q' "$xml")
    [ -n "${f:-}" ] || continue
    programs=$((programs + 1)); cases=$((cases + t)); case_failures=$((case_failures + f))
    [ "$f" -gt 0 ] && failed_programs=$((failed_programs + 1))
  done
  total=$((total - programs + cases))
  failed=$((failed - failed_programs + case_failures))
  [ $rc -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
  if [ $programs -gt 0 ]; then
    line="$((total - failed)) passed, $failed failed ($cases cases of $programs programs run whole)"
  fi
  result "$name" $((total - failed)) "$failed" "$line"
}

build() { # name dir args... (a failed build counts as one failed test)
  local name="$1" dir="$2"; shift 2
  mkdir -p "$dir"
  if cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 &&
     $LOW cmake --build "$dir" -j"$JOBS" >"$dir/build.log" 2>&1; then
    echo "built $(grep -c 'Building\|Linking' "$dir/build.log") steps"
    return 0
  fi
  tail -n 20 "$dir/configure.log"
  grep -A 12 -E 'error|FAILED' "$dir/build.log" | head -n 80
  result "$name-build" 0 1 "build FAILED ($dir/build.log)"
  return 1
}

source "$ROOT/scripts/wine-env.sh"

# One architecture's Wine tests in a subshell of their own (wine_start exports
# the prefix), one test program at a time: the programs of one run share one
# desktop, and a window shown by one would take the activation, and with it
# the keyboard focus, from the window another is typing into.
# The tests labelled "second-desktop" (the second half of a long program) run
# at the same time under a second server and prefix.
wine_suite() { # arch prefix
  step "tests under Wine ($1), prefixes $2 and $2-2"
  rm -rf "$B/$1/gtest-results"
  ( wine_start "$2-2" null; run_ctest "wine-$1-2" "$B/$1" 1 -L second-desktop; wine_stop ) > "$S/wine-$1-2.out" 2>&1 &
  local second=$!
  wine_start "$2" null
  run_ctest "wine-$1" "$B/$1" 1 -LE second-desktop
  wine_stop
  wait $second
  cat "$S/wine-$1-2.out"
}

soak_stage() {
  step "soak, short (x86_64 under Wine)"
  if ORLIMO_SOAK_NO_BUILD=1 bash scripts/soak.sh --short >"$B/soak.log" 2>&1; then
    grep '^soak:' "$B/soak.log" | tail -n 4; result soak 1 0 passed
  else
    tail -n 30 "$B/soak.log"; result soak 0 1 "FAILED (build/soak.log)"
  fi
}

package_stage() {
  step "packages: the installer and the portable zip under Wine"
  if bash scripts/test-package.sh >"$B/package.log" 2>&1; then
    grep -E '^package:' "$B/package.log"; result package 1 0 "passed ($(grep -c '^ok:' "$B/package.log") checks)"
  else
    grep -E '^(FAILED|package:)' "$B/package.log"; tail -n 30 "$B/package.log"
    result package 0 1 "FAILED (build/package.log)"
  fi
}

LANES=()  # background lanes: their output files, printed when they are done
lane() { # name command...
  local name="$1"; shift
  ( "$@" ) >"$S/$name.out" 2>&1 &
  LANES+=("$name:$!")
}

# ----------------------------------------------------------------- compiles
step "MinGW-w64 x86_64 build"
X64=0
if build x86_64 "$B/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release; then
  X64=1
  x64_lane() { wine_suite x86_64 "$B/wineprefix"; }
  lane wine-x86_64 x64_lane
  echo "its Wine tests go on beside the next compiles"
fi

step "MinGW-w64 i686 build"
I686=0
# The benchmarks were compiled for x86_64 (and natively): no test runs them.
if build i686 "$B/i686" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
     -DORLIMO_BENCH=OFF; then
  i686_lane() {
    if [ "$ORLIMO_WINE32" = 0 ]; then
      step "tests under Wine (i686)"
      echo "i686: built; its Wine tests not run: this machine's kernel cannot run 32-bit programs"
      echo "wine-i686: built, not run (no 32-bit support in this kernel)" > "$S/wine-i686.sum"
    else
      wine_suite i686 "$B/wineprefix-i686"
    fi
  }
  lane wine-i686 i686_lane
  I686=1
fi
checks_lane() {
  if [ "$X64" = 1 ]; then soak_stage; else result soak 0 1 "not run: the x86_64 build failed"; fi
  # The packages hold both architectures' programs.
  if [ "$X64" = 1 ] && [ "$I686" = 1 ]; then package_stage; else result package 0 1 "not run: a MinGW build failed"; fi
}
lane checks checks_lane
echo "its Wine tests, the short soak and the packages go on beside the next compiles"

step "native build (ASan + UBSan)"
if build native "$B/native"; then rm -rf "$B/native/gtest-results"; run_ctest native "$B/native" "$JOBS"; fi

step "fuzz build (clang, libFuzzer)"
FUZZ_BUILT=0
build fuzz "$B/fuzz" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 -DORLIMO_FUZZ=ON \
  -DORLIMO_TESTS=OFF && FUZZ_BUILT=1
fuzz_smoke() {
  step "fuzz smoke runs"
  local f corpus seeds
  for f in "$B"/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    corpus="$B/fuzz/corpus-$(basename "$f")"; mkdir -p "$corpus"
    seeds="$ROOT/fuzz/corpus/$(basename "$f")"; [ -d "$seeds" ] || seeds=""
    if "$f" -max_total_time="${ORLIMO_FUZZ_SECONDS:-10}" -print_final_stats=0 \
         -artifact_prefix="$B/fuzz/" "$corpus" $seeds >"$f.log" 2>&1; then
      echo "$(basename "$f"): ok ($(grep -c . "$f.log") log lines)"; result "$(basename "$f")" 1 0 passed
    else
      echo "$(basename "$f"): FAILED"; tail -n 40 "$f.log"; result "$(basename "$f")" 0 1 FAILED
    fi
  done
}
# Each target runs on one core for its time: beside the lint.
[ $FUZZ_BUILT = 1 ] && lane fuzz fuzz_smoke

step "lint (clang-format, clang-tidy on the native build)"
if $LOW bash scripts/lint.sh --build "$B/native" >"$B/lint.log" 2>&1; then
  cat "$B/lint.log"; result lint 1 0 passed
else
  head -n 200 "$B/lint.log"; result lint 0 1 "FAILED (findings in build/lint.log)"
fi
echo "compiles done after $(( $(date +%s) - START )) s"

# ------------------------------------------------------ the lanes beside them
for l in "${LANES[@]}"; do
  wait "${l#*:}"
  cat "$S/${l%%:*}.out"
done

echo
echo "=== summary ($(( $(date +%s) - START )) s)"
PASSED_TOTAL=0
FAILED_TOTAL=0
ORDER=" native-build native lint fuzz-build fuzz_record fuzz_logread fuzz_navigate fuzz_syslog x86_64-build wine-x86_64 wine-x86_64-2 i686-build wine-i686 wine-i686-2 soak package "
for name in $ORDER; do [ -f "$S/$name.sum" ] && cat "$S/$name.sum"; done
for f in "$S"/*.sum; do  # a stage not named above
  case "$ORDER" in *" $(basename "$f" .sum) "*) ;; *) cat "$f" ;; esac
done
for f in "$S"/*.count; do
  [ -f "$f" ] || continue
  read -r p q < "$f"
  PASSED_TOTAL=$((PASSED_TOTAL + p)); FAILED_TOTAL=$((FAILED_TOTAL + q))
done
echo "Orlimo: $PASSED_TOTAL passed, $FAILED_TOTAL failed"
[ "$FAILED_TOTAL" -eq 0 ]
