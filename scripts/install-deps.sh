#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need. Idempotent: only missing
# packages are installed, and apt is asked nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build make pkg-config clang-format
  googletest libgtest-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine wine64 wine32:i386
  libcli11-dev libsndfile1-dev zam-plugins
  libbenchmark-dev valgrind clang libclang-rt-14-dev
  xvfb xauth imagemagick zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root or install them" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
