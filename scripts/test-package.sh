#!/usr/bin/env bash
# Builds the packages (scripts/package.sh) and tests them under Wine, in a
# fresh prefix (build/package-test/prefix):
#   - the portable zip holds the installer's program files, byte for byte;
#   - msiexec /i installs the 32-bit package: its files (the program files and
#     the SDK that `cmake --install` gives), the Start menu shortcut, ExePath
#     and the .olx file type, one product of this version;
#   - the installed lxsend starts the installed viewer through ExePath and its
#     message arrives; a log opens in the viewer through the file type. Where
#     this machine cannot run 32-bit programs, these run with the same package
#     of the 64-bit build, installed after the 32-bit one is gone;
#   - a package of a higher version replaces the installed one (one product
#     left, the newer); the older one then refuses to install over it;
#   - msiexec /x leaves nothing of the install; the user's settings stay.
# The checks inside the prefix are tests/win/install (installed_tests.exe).
# Where Wine's installer differs from Windows': it puts a per-machine Start
# menu entry in the user's Start menu (either place is accepted), and it keeps
# a 32-bit package's file type in the 32-bit view of HKEY_CLASSES_ROOT, which
# Windows shares with 64-bit programs (so the type is read, and a log opened,
# from a program of the package's bitness).
# Prints "package: N passed, M failed"; exit status 1 when a check failed.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"

PASSED=0
FAILED=0
ok() { echo "ok: $*"; PASSED=$((PASSED + 1)); }
bad() { echo "FAILED: $*"; FAILED=$((FAILED + 1)); }
check() { # description command...
  local what="$1"; shift
  if "$@"; then ok "$what"; else bad "$what"; fi
}
finish() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  echo "package: $PASSED passed, $FAILED failed"
  [ $FAILED -eq 0 ]
  exit $?
}

# The packages, and one of the next patch version for the upgrade.
PACKAGE_ARGS=(--upgrade)
[ "$ORLIMO_WINE32" = 0 ] && PACKAGE_ARGS+=(--x64)
bash scripts/package.sh "${PACKAGE_ARGS[@]}" | sed 's/^/  /'
[ "${PIPESTATUS[0]}" = 0 ] || { bad "scripts/package.sh"; finish; }
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/i686/CMakeCache.txt)
NEXT=$(ls build/package/upgrade | sed -n 's/^Orlimo-\(.*\)\.msi$/\1/p')
PKG="$ROOT/build/package"
MSI="$PKG/Orlimo-$VERSION.msi"
ZIP="$PKG/Orlimo-$VERSION-portable.zip"
UPGRADE_CODE=$(msiinfo export "$MSI" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')

# The checks inside the prefix, built for each bitness that runs here.
CHECKERS=(x86_64)
[ "$ORLIMO_WINE32" = 1 ] && CHECKERS+=(i686)
for arch in "${CHECKERS[@]}"; do
  cmake --build "build/$arch" -j"$(nproc)" --target installed_tests >"build/$arch.installed-tests-build.log" 2>&1 ||
    { bad "installed_tests ($arch) build"; tail -n 30 "build/$arch.installed-tests-build.log"; finish; }
done

T="$ROOT/build/package-test"
rm -rf "$T"
mkdir -p "$T"

# --- the zip against the installer ----------------------------------------
msiextract -C "$T/msi" "$MSI" >/dev/null
mkdir -p "$T/zip" && (cd "$T/zip" && unzip -q "$ZIP")
top_files() { (cd "$1" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort); }
check "the zip's files are the installer's program files and README.txt" \
  diff <({ top_files "$T/msi/Program Files/Orlimo"; echo README.txt; } | LC_ALL=C sort) <(top_files "$T/zip")
zip_same_bytes() {
  local f
  for f in $(top_files "$T/msi/Program Files/Orlimo"); do cmp -s "$T/msi/Program Files/Orlimo/$f" "$T/zip/$f" || return 1; done
}
check "the zip's program files are the installer's, byte for byte" zip_same_bytes
check "README.txt names ExePath" grep -q 'ExePath' "$T/zip/README.txt"

# --- install, check, remove in a fresh prefix -------------------------------
wine_start "$T/prefix" null
# No menu entries or file associations on the Linux desktop from the installs.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
DRIVE_C="$T/prefix/drive_c"

# checker <arch> <gtest filter> <Windows folder> <view> <version>
checker() {
  local log="$T/checker-$RANDOM.log"
  ORLIMO_INSTALL_DIR="$3" ORLIMO_INSTALL_VIEW="$4" ORLIMO_INSTALL_VERSION="$5" ORLIMO_UPGRADE_CODE="$UPGRADE_CODE" \
    wine "$ROOT/build/$1/tests/win/install/installed_tests.exe" --gtest_filter="$2" >"$log" 2>&1
  local rc=$?
  grep -E '^\[ +(OK|FAILED) +\] [A-Z]' "$log" | grep -v ' tests\?, listed below' | sed 's/^/  /' | sort -u
  [ $rc -eq 0 ] || grep -B 2 -A 8 'Failure' "$log" | head -n 40
  return $rc
}
msi() { wine msiexec "$@" /qn >"$T/msiexec.log" 2>&1; }
# The installed tree against the staged program files and SDK.
same_tree() { # <installed folder> <stage>
  [ -d "$1" ] || return 1
  diff <(cd "$1" && find . -type f | LC_ALL=C sort) \
       <({ (cd "$2/files" && find . -maxdepth 1 -type f); (cd "$2" && find ./sdk -type f); } | LC_ALL=C sort) &&
  diff -r "$1/sdk" "$2/sdk" >/dev/null &&
  for f in $(cd "$2/files" && ls); do cmp -s "$1/$f" "$2/files/$f" || return 1; done
}

# Nothing named after the program anywhere on C: (the files, the shortcut,
# the installer's cached icon).
no_files_left() { [ -z "$(find "$DRIVE_C" -iname '*orlimo*' -print -quit)" ]; }

X86_DIR='C:\Program Files (x86)\Orlimo'
X86_UNIX="$DRIVE_C/Program Files (x86)/Orlimo"
RAN=0
check "msiexec /i Orlimo-$VERSION.msi" msi /i "$MSI"
check "installed files: the program files and the SDK" same_tree "$X86_UNIX" "$PKG/stage-i686"
check "shortcut, ExePath, file type, one product ($VERSION)" checker x86_64 'Installed.*' "$X86_DIR" 32 "$VERSION"
if [ "$ORLIMO_WINE32" = 1 ]; then
  check "lxsend starts the viewer through ExePath; a log opens through its file type" \
    checker i686 'Running.*' "$X86_DIR" 32 "$VERSION" && RAN=1
fi
check "msiexec /i Orlimo-$NEXT.msi over $VERSION" msi /i "$PKG/upgrade/Orlimo-$NEXT.msi"
check "after the upgrade: one product ($NEXT), its files and values" \
  checker x86_64 'Installed.*' "$X86_DIR" 32 "$NEXT"
check "installed files after the upgrade" same_tree "$X86_UNIX" "$PKG/stage-i686"
refused() { ! msi /i "$MSI"; }
check "Orlimo-$VERSION.msi refuses to install over $NEXT" refused
check "after the refusal: still one product ($NEXT)" checker x86_64 'Installed.*' "$X86_DIR" 32 "$NEXT"
check "msiexec /x Orlimo-$NEXT.msi" msi /x "$PKG/upgrade/Orlimo-$NEXT.msi"
REMOVED='Removed.NothingOfTheInstallIsLeft'
[ $RAN = 1 ] && REMOVED='Removed.*'
check "nothing of the install left" checker x86_64 "$REMOVED" "$X86_DIR" 32 "$VERSION"
check "no file of the install left on C:" no_files_left

if [ "$ORLIMO_WINE32" = 0 ]; then
  # The run-time checks with the 64-bit build's package (this machine runs no
  # 32-bit program), in the same prefix, now without the 32-bit install.
  X64_MSI="$PKG/Orlimo-$VERSION-x64.msi"
  X64_DIR='C:\Program Files\Orlimo'
  check "msiexec /i Orlimo-$VERSION-x64.msi" msi /i "$X64_MSI"
  check "installed files (x64): the program files and the SDK" \
    same_tree "$DRIVE_C/Program Files/Orlimo" "$PKG/stage-x86_64"
  check "shortcut, ExePath, file type, one product (x64)" checker x86_64 'Installed.*' "$X64_DIR" 64 "$VERSION"
  check "lxsend starts the viewer through ExePath; a log opens through its file type (x64)" \
    checker x86_64 'Running.*' "$X64_DIR" 64 "$VERSION"
  check "msiexec /x Orlimo-$VERSION-x64.msi" msi /x "$X64_MSI"
  check "nothing of the install left; the user's settings stay (x64)" checker x86_64 'Removed.*' "$X64_DIR" 64 "$VERSION"
  check "no file of the install left on C: (x64)" no_files_left
fi
finish
