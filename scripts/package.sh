#!/usr/bin/env bash
# Builds the packages of the 32-bit viewer (build/i686) with Debian's tools:
#   build/package/Orlimo-<version>.msi            the installer (wixl, packaging/Orlimo.wxs)
#   build/package/Orlimo-<version>-portable.zip   the same program files and README.txt
# <version> is project(VERSION ...) of CMakeLists.txt, read from the build.
#
#   bash scripts/package.sh [--x64] [--upgrade]
#     --x64      also build/package/Orlimo-<version>-x64.msi, the same package
#                of the 64-bit build (build/x86_64), for machines that cannot
#                run 32-bit programs
#     --upgrade  also build/package/upgrade/Orlimo-<next>.msi: the 32-bit
#                package's files stamped with the next patch version, for the
#                upgrade test
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
X64=0
UPGRADE=0
while [ $# -gt 0 ]; do
  case "$1" in
    --x64) X64=1 ;;
    --upgrade) UPGRADE=1 ;;
    *) echo "usage: bash scripts/package.sh [--x64] [--upgrade]" >&2; exit 1 ;;
  esac
  shift
done

bash scripts/install-deps.sh
OUT="$ROOT/build/package"
JOBS=$(nproc)

# build <arch>: configures and builds what the package holds.
build() {
  local dir="$ROOT/build/$1"
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$1.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$dir.package-configure.log" 2>&1 ||
    { tail -n 20 "$dir.package-configure.log"; exit 1; }
  cmake --build "$dir" -j"$JOBS" --target package_files >"$dir.package-build.log" 2>&1 ||
    { grep -A 12 -E 'error|FAILED' "$dir.package-build.log" | head -n 60; exit 1; }
}

# stage <arch>: the program files, the SDK (a plain `cmake --install`) and the
# icon in build/package/stage-<arch>, made anew.
stage() {
  local dir="$ROOT/build/$1" st="$OUT/stage-$1"
  rm -rf "$st"
  cmake --install "$dir" --component Program --prefix "$st/files" >/dev/null
  cmake --install "$dir" --component PackageIcon --prefix "$st" >/dev/null
  cmake --install "$dir" --prefix "$st/sdk" >/dev/null
  # The SDK's fragment of the installer: one component per file (its Win64
  # attribute is the package's, from wixl's -D Win64).
  (cd "$st" && find sdk -type f | LC_ALL=C sort |
     wixl-heat --directory-ref SdkFolder --component-group SdkFiles --var var.SdkDir -p sdk/ --win64 > Sdk.wxs)
}

# msi <arch> <version> <output>: wixl over the stage (its paths are relative
# to the stage folder).
msi() {
  local st="$OUT/stage-$1" arch=x86 win64=no
  [ "$1" = x86_64 ] && arch=x64 && win64=yes
  (cd "$st" && wixl -a "$arch" -D Win64="$win64" -D Version="$2" -D FilesDir=files -D SdkDir=sdk \
     -D IconFile=icon/Orlimo.ico -o "$3" "$ROOT/packaging/Orlimo.wxs" Sdk.wxs)
}

mkdir -p "$OUT"
build i686
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ROOT/build/i686/CMakeCache.txt")
[ -n "$VERSION" ] || { echo "no project version in build/i686/CMakeCache.txt"; exit 1; }
stage i686

MSI="$OUT/Orlimo-$VERSION.msi"
ZIP="$OUT/Orlimo-$VERSION-portable.zip"
rm -f "$MSI" "$ZIP"
msi i686 "$VERSION" "$MSI"
echo "built $MSI"

# The zip: the program files at its top, and README.txt with Windows line ends.
sed 's/$/\r/' "$ROOT/packaging/README.txt" > "$OUT/stage-i686/files/README.txt"
(cd "$OUT/stage-i686/files" && zip -q -X -r "$ZIP" .)
rm "$OUT/stage-i686/files/README.txt"
echo "built $ZIP"

if [ $UPGRADE = 1 ]; then
  NEXT=$(echo "$VERSION" | awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }')
  rm -rf "$OUT/upgrade"
  mkdir -p "$OUT/upgrade"
  msi i686 "$NEXT" "$OUT/upgrade/Orlimo-$NEXT.msi"
  echo "built $OUT/upgrade/Orlimo-$NEXT.msi"
fi

if [ $X64 = 1 ]; then
  build x86_64
  stage x86_64
  rm -f "$OUT/Orlimo-$VERSION-x64.msi"
  msi x86_64 "$VERSION" "$OUT/Orlimo-$VERSION-x64.msi"
  echo "built $OUT/Orlimo-$VERSION-x64.msi"
fi
