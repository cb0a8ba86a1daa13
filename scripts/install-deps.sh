#!/bin/bash
# Installs, with apt-get, whatever the build and the tests need and this
# machine lacks. Nothing is downloaded when everything is there.
set -euo pipefail

packages=(
  cmake make g++                       # native build
  g++-mingw-w64-x86-64-posix           # Windows cross build (posix thread model)
  gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64            # windres, objdump
  clang lld llvm                       # the second Windows build (clang, lld) and the MSVC flags check (clang-cl, llvm-lib)
  googletest libgtest-dev              # unit tests (sources rebuilt for MinGW)
  libbenchmark-dev                     # benchmarks
  wine64 xvfb xdotool imagemagick      # running and looking at the program
  fonts-dejavu-core fonts-dejavu-extra  # stand-ins for the program's fonts under Wine
  python3 python3-dateutil python3-numpy  # reference computations
  python3-icalendar                    # reading back the calendar files the program writes
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils  # printing to PDF in the tests
  util-linux                           # flock
  zip unzip                            # the release package
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}; install them as root (apt-get install ...)" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
