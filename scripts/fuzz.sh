#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 600), one after the
# other, and prints what each did.
#   bash scripts/fuzz.sh [SECONDS]
#
# The corpus of target fuzz_X is fuzz/corpus/fuzz_X: the committed seed inputs
# (readable names) and what the runs add (hash names, not committed). An input
# that makes a target fail is written to fuzz/regressions/fuzz_X (commit it:
# the native tests replay that folder, see tests/fuzz/CMakeLists.txt) and fails
# this script. Before fuzzing, each target replays its regression inputs.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
SECONDS_EACH="${1:-600}"
case "$SECONDS_EACH" in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]"; exit 2 ;; esac
shift $(( $# > 0 ? 1 : 0 ))
ONLY=" $* "
bash scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

B="$ROOT/build/fuzz"
mkdir -p "$B"
if ! cmake -S "$ROOT" -B "$B" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 \
       -DORLIMO_FUZZ=ON -DORLIMO_TESTS=OFF >"$B/configure.log" 2>&1 ||
   ! cmake --build "$B" -j"$(nproc)" >"$B/build.log" 2>&1; then
  tail -n 40 "$B/configure.log" "$B/build.log"
  echo "fuzz build failed"
  exit 1
fi

FAILED=0
printf '%-14s %8s %10s %10s %8s %8s %8s  %s\n' target seconds execs "execs/s" cov ft corpus result
for exe in "$B"/tests/fuzz/fuzz_*; do
  [ -x "$exe" ] && [ -f "$exe" ] || continue
  name=$(basename "$exe")
  [ "$ONLY" = "  " ] || [[ "$ONLY" == *" $name "* ]] || continue
  corpus="$ROOT/fuzz/corpus/$name"
  found="$ROOT/fuzz/regressions/$name"
  mkdir -p "$corpus" "$found"
  log="$B/$name.log"
  before=$(find "$found" -type f | wc -l)
  result=ok
  # The inputs that failed before must pass now.
  if [ "$before" -gt 0 ] && ! "$exe" -runs=0 "$found"/* >"$B/$name.regressions.log" 2>&1; then
    result="a regression input fails (see $B/$name.regressions.log)"
    FAILED=1
  fi
  # A timeout or a slow input may be the machine's (other work starved the
  # target): it counts as found only when it is slow again run alone. Such an
  # input is kept aside in build/fuzz/unconfirmed/ and the run goes on for the
  # rest of its time.
  start=$(date +%s)
  : >"$log"
  rc=0
  unconfirmed=0
  while left=$(( SECONDS_EACH - ($(date +%s) - start) )); [ "$left" -gt 0 ]; do
    "$exe" -max_total_time="$left" -print_final_stats=1 -timeout=30 -report_slow_units=60 -rss_limit_mb=4096 \
           -artifact_prefix="$found/" "$corpus" >"$log.part" 2>&1
    rc=$?
    cat "$log.part" >>"$log"
    quick=0
    while IFS= read -r f; do
      t0=$(date +%s)
      if "$exe" -timeout=30 -runs=1 "$f" >"$log.recheck" 2>&1 && [ $(( $(date +%s) - t0 )) -lt 30 ]; then
        mkdir -p "$B/unconfirmed/$name" && mv "$f" "$B/unconfirmed/$name/" && quick=$((quick + 1))
      fi
    done < <(find "$found" -type f \( -name 'timeout-*' -o -name 'slow-unit-*' \))
    unconfirmed=$((unconfirmed + quick))
    # Go on only when the run ended on such an input and nothing else.
    [ $rc -ne 0 ] && [ $quick -gt 0 ] && grep -q 'ERROR: libFuzzer: timeout' "$log.part" || break
    rc=0
  done
  rm -f "$log.part" "$log.recheck"
  took=$(( $(date +%s) - start ))
  after=$(find "$found" -type f | wc -l)
  if [ $rc -ne 0 ] || [ "$after" -gt "$before" ]; then
    result="FAILED (exit $rc, $((after - before)) new input(s) in fuzz/regressions/$name; log $log)"
    FAILED=1
  elif [ $unconfirmed -gt 0 ]; then
    result="ok ($unconfirmed slow input(s) quick alone: build/fuzz/unconfirmed/$name)"
  fi
  # Summed over the runs (one unless a timeout was not confirmed).
  execs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | awk '{s += $1} END {if (NR) print s}')
  rate=$([ -n "$execs" ] && [ "$took" -gt 0 ] && echo $((execs / took)))
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  cov=$(echo "$last" | sed -nE 's/.* cov: ([0-9]+).*/\1/p')
  ft=$(echo "$last" | sed -nE 's/.* ft: ([0-9]+).*/\1/p')
  corp=$(echo "$last" | sed -nE 's/.* corp: ([0-9]+).*/\1/p')
  printf '%-14s %8s %10s %10s %8s %8s %8s  %s\n' "$name" "$took" "${execs:-?}" "${rate:-?}" "${cov:-?}" \
         "${ft:-?}" "${corp:-?}" "$result"
  [ "${result%% *}" = ok ] || grep -E 'ERROR|SUMMARY|==[0-9]+==' "$log" | head -n 20
done
exit $FAILED
