#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when
# they are missing. Needs root (or sudo) only when something is missing.
set -eu

packages="cmake ninja-build g++ make file python3 googletest libgtest-dev libgmock-dev
  libbenchmark-dev libpugixml-dev mingw-w64 g++-mingw-w64-i686-posix
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick librsvg2-bin fonts-dejavu-core
  fp-utils nsis libchm-bin xchm"

missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
  as_root=""
else
  as_root="sudo"
fi
# 32-bit Wine runs the shipped 32-bit program; the 64-bit loader runs the
# 64-bit test builds on a kernel that runs 64-bit code only.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $as_root dpkg --add-architecture i386
fi
$as_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
