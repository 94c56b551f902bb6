#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(build-essential cmake pkg-config libwxgtk3.2-dev libgtest-dev libbenchmark-dev
          xvfb xauth xdg-utils iproute2 util-linux x11-utils xdotool clang libclang-rt-14-dev python3)
# The Windows cross build (scripts/windows-build.sh passes --windows) also needs
# MinGW-w64, wine and dpkg-dev (for apt-get source); the Linux suites do not.
windows_packages=(gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  mingw-w64-x86-64-dev wine wine64 dpkg-dev)
if [ "${1:-}" = --windows ]; then
  packages+=("${windows_packages[@]}")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
