#!/usr/bin/env bash
# Checks the sources against .clang-format and .clang-tidy.
#
#   bash scripts/lint.sh            check both; exit 1 on any finding
#   bash scripts/lint.sh --fix      reformat the sources in place, then run clang-tidy
#   bash scripts/lint.sh --format   the formatting check alone (no build needed)
#   bash scripts/lint.sh --build DIR   the native build whose compile_commands.json
#                                   clang-tidy reads (default build/native; configured
#                                   here when it is missing)
#
# clang-format covers every C/C++ file under src, tests, bench, tools and
# examples. clang-tidy covers the project's translation units of the native
# build (the portable code and its tests); the Windows-only code is not in that
# build. clang-tidy's findings are kept per unit in build/lint-cache
# (LINT_CACHE=DIR for another place) and reused while nothing the unit reads
# has changed. Both are pinned to version 14, the one the formatting was tuned with.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

FIX=0
TIDY=1
BUILD="$ROOT/build/native"
while [ $# -gt 0 ]; do
  case "$1" in
    --fix) FIX=1 ;;
    --format) TIDY=0 ;;
    --build) shift; BUILD="${1:?--build needs a directory}"; case "$BUILD" in /*) ;; *) BUILD="$PWD/$BUILD" ;; esac ;;
    -h|--help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "lint.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
cd "$ROOT"

CLANG_FORMAT="${CLANG_FORMAT:-clang-format-14}"
CLANG_TIDY="${CLANG_TIDY:-clang-tidy-14}"
JOBS="${JOBS:-$(nproc)}"
for tool in "$CLANG_FORMAT" $( [ $TIDY = 1 ] && echo "$CLANG_TIDY" ); do
  command -v "$tool" >/dev/null || { echo "lint.sh: $tool not found (scripts/install-deps.sh installs it)" >&2; exit 2; }
done

OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
FAILED=0

# ---------------------------------------------------------------- formatting
DIRS=()
for d in src tests bench tools examples; do [ -d "$d" ] && DIRS+=("$d"); done
find "${DIRS[@]}" -type f \( -name '*.cpp' -o -name '*.cc' -o -name '*.c' -o -name '*.h' -o -name '*.hpp' \) \
  | sort > "$OUT/format-files"
NFORMAT=$(wc -l < "$OUT/format-files")

if [ $FIX = 1 ]; then
  xargs -P "$JOBS" -n 16 "$CLANG_FORMAT" -i --style=file < "$OUT/format-files"
  echo "clang-format: reformatted $NFORMAT files in place"
fi
# Each batch writes its own log: parallel writers to one file interleave.
export CLANG_FORMAT OUT
xargs -P "$JOBS" -n 16 sh -c '"$CLANG_FORMAT" --dry-run -Werror --style=file "$@" > "$(mktemp "$OUT/format.XXXXXX")" 2>&1' sh \
  < "$OUT/format-files"
FORMAT_RC=$?
FORMAT_FILES=$(cat "$OUT"/format.* | grep -oE '^[^ :]+:[0-9]+:[0-9]+: error: code should be clang-formatted' | cut -d: -f1 | sort -u)
if [ $FORMAT_RC -ne 0 ] || [ -n "$FORMAT_FILES" ]; then
  FAILED=1
  echo "clang-format: $(echo "$FORMAT_FILES" | grep -c .) of $NFORMAT files differ from .clang-format:"
  echo "$FORMAT_FILES" | sed 's/^/  /'
  if [ -z "$FORMAT_FILES" ]; then cat "$OUT"/format.* | head -n 20; fi  # clang-format itself failed
  # What the first files would become, as a diff.
  for f in $(echo "$FORMAT_FILES" | head -n 5); do
    "$CLANG_FORMAT" --style=file "$f" | diff -u --label "$f" --label "$f (formatted)" "$f" -
  done | head -n 80
  echo "(bash scripts/lint.sh --fix reformats them)"
else
  echo "clang-format: $NFORMAT files ok"
fi

# ---------------------------------------------------------------- clang-tidy
if [ $TIDY = 1 ]; then
  if [ ! -f "$BUILD/compile_commands.json" ]; then
    echo "configuring $BUILD for its compile_commands.json"
    cmake -S "$ROOT" -B "$BUILD" -G Ninja > "$OUT/configure.log" 2>&1 || { tail -n 20 "$OUT/configure.log"; exit 2; }
  fi
  # The project's own translation units (not GoogleTest, not generated files).
  python3 - "$BUILD/compile_commands.json" "$ROOT" > "$OUT/tidy-files" <<'EOF'
import json, os, sys
root = sys.argv[2].rstrip('/') + '/'
files = set()
for e in json.load(open(sys.argv[1])):
    f = os.path.normpath(os.path.join(e['directory'], e['file']))
    rel = f[len(root):] if f.startswith(root) else ''
    if rel.split('/')[0] in ('src', 'tests', 'bench', 'tools', 'examples') and f.endswith(('.cpp', '.cc', '.c')):
        files.add(f)
print('\n'.join(sorted(files)))
EOF
  NTIDY=$(grep -c . "$OUT/tidy-files")
  if [ "$NTIDY" -eq 0 ]; then
    echo "clang-tidy: no project translation units in $BUILD/compile_commands.json"; exit 1
  fi
  # What clang-tidy says of a unit depends only on its command, the bytes of
  # the files it reads (the build's record of its includes), the checks,
  # clang-tidy itself and this script: a unit whose key is in the cache
  # (build/lint-cache) gives its earlier findings without running again. A
  # unit the build has no record of runs every time.
  CACHE="${LINT_CACHE:-$BUILD/../lint-cache}"
  mkdir -p "$CACHE"
  (cd "$BUILD" && ninja -t deps) > "$OUT/deps" 2>/dev/null || : > "$OUT/deps"
  python3 - "$BUILD/compile_commands.json" "$OUT/tidy-files" "$OUT/deps" "$ROOT/.clang-tidy" "$0" \
    "$("$CLANG_TIDY" --version | tr '\n' ' ')" > "$OUT/tidy-keys" <<'EOF'
import hashlib, json, os, shlex, sys
commands, files, deps_file, config, script, version = sys.argv[1:7]
wanted = set(open(files).read().split())
deps, current = {}, None
for line in open(deps_file, errors='replace'):
    if line.startswith('    ') and current is not None:
        deps[current].append(line.strip())
    elif line.strip() and not line.startswith(' '):
        current = line.split(':', 1)[0]
        deps[current] = [] if '(VALID)' in line else None
        if deps[current] is None: current = None
digests = {}
def digest(path):
    if path not in digests:
        try:
            digests[path] = hashlib.sha256(open(path, 'rb').read()).hexdigest()
        except OSError:
            digests[path] = 'missing'
    return digests[path]
common = version + digest(config) + digest(script)
for e in json.load(open(commands)):
    f = os.path.normpath(os.path.join(e['directory'], e['file']))
    if f not in wanted:
        continue
    wanted.discard(f)  # a unit of two targets: clang-tidy takes its first command
    args = shlex.split(e['command'])
    obj = args[args.index('-o') + 1] if '-o' in args else None
    inputs = deps.get(obj)
    if not inputs:
        print(f + '\t-')
        continue
    h = hashlib.sha256((common + e['command']).encode())
    for d in inputs:
        h.update((d + digest(os.path.normpath(os.path.join(e['directory'], d)))).encode())
    print(f + '\t' + h.hexdigest())
EOF
  # -Wno-unknown-warning-option: the commands are g++'s, and clang does not
  # know every GCC warning flag (-Wno-restrict).
  ROOT_RE=$(printf '%s' "$ROOT" | sed 's/[][\\.*^$()+?{}|]/\\&/g')
  export CLANG_TIDY BUILD OUT ROOT_RE CACHE
  tr '\t' ' ' < "$OUT/tidy-keys" | xargs -P "$JOBS" -L 1 sh -c '
    log="$OUT/tidy-$(echo "$1" | tr / _).log"
    if [ "$2" != - ] && [ -f "$CACHE/$2.log" ]; then
      cp "$CACHE/$2.log" "$log"; touch "$OUT/tidy-cached.$2"
      [ -f "$CACHE/$2.failed" ] && echo "$1" >> "$OUT/tidy-failed"
      exit 0
    fi
    rc=0
    "$CLANG_TIDY" -p "$BUILD" --quiet --extra-arg=-Wno-unknown-warning-option \
      --header-filter="^$ROOT_RE/(src|tests|bench|tools|examples)/" "$1" > "$log" 2>&1 || rc=1
    [ $rc = 0 ] || echo "$1" >> "$OUT/tidy-failed"
    if [ "$2" != - ]; then
      cp "$log" "$CACHE/$2.log.tmp" && mv "$CACHE/$2.log.tmp" "$CACHE/$2.log"
      if [ $rc = 0 ]; then rm -f "$CACHE/$2.failed"; else : > "$CACHE/$2.failed"; fi
    fi
  ' sh
  NCACHED=$(find "$OUT" -maxdepth 1 -name 'tidy-cached.*' | wc -l)
  # A header's findings come once for every unit that includes it: report each once.
  cat "$OUT"/tidy-*.log 2>/dev/null | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' \
    | sed "s|^$ROOT/||" | sort -t: -k1,1 -k2,2n -k3,3n | uniq > "$OUT/tidy-findings"
  NFIND=$(grep -c . "$OUT/tidy-findings")
  if [ "$NFIND" -gt 0 ] || [ -s "$OUT/tidy-failed" ]; then
    FAILED=1
    echo "clang-tidy: $NFIND findings in $NTIDY translation units:"
    cat "$OUT/tidy-findings"
    if [ "$NFIND" -eq 0 ]; then  # failed without a diagnostic: show what it said
      while read -r f; do cat "$OUT/tidy-$(echo "$f" | tr / _).log"; done < "$OUT/tidy-failed" | head -n 40
    fi
  else
    echo "clang-tidy: $NTIDY translation units ok ($NCACHED of them as cached)"
  fi
fi

exit $FAILED
