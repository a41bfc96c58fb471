#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is
# missing. Runs as root, or through sudo. Where the kernel runs 32-bit
# programs, Wine's 32-bit half too (wine32 from the i386 architecture), so
# that the 32-bit exe can be run and tested.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ googletest python3 clang-format git
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine64 fonts-wine fonts-liberation
  xvfb xauth x11-utils imagemagick
  faketime  # libfaketime: every clock moved at once, as a machine asleep sees it
)
wine32=0
if scripts/can-run-32bit.sh >/dev/null; then
  wine32=1
  packages+=(wine32:i386)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ "$wine32" -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
