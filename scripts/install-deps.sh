#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demonstration need.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

PKGS=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      wine wine64 xvfb xauth googletest libgtest-dev clang-14 lld-14 libclang-rt-14-dev
      clang-format-14 clang-tidy-14 imagemagick xdotool x11-apps procps python3
      msitools wixl zip unzip rsyslog bsdutils)

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

missing=()
for p in "${PKGS[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
need32=0
dpkg -s wine32:i386 >/dev/null 2>&1 || need32=1

if [ ${#missing[@]} -eq 0 ] && [ $need32 -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]} $( [ $need32 = 1 ] && echo wine32:i386 )"
if [ $need32 -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [ $need32 -eq 1 ]; then
  $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null
fi
