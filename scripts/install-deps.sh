#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(build-essential cmake pkg-config libwxgtk3.2-dev libgtest-dev libbenchmark-dev libcsv-dev nlohmann-json3-dev
          libcairo2-dev
          xvfb xauth xdg-utils iproute2 util-linux x11-utils xdotool clang libclang-rt-14-dev python3
          locales clang-format clang-tidy
          dpkg-dev file lintian desktop-file-utils appstream man-db)
# (the last line: scripts/package-test.sh builds, checks and installs the .deb)
# The Windows cross build (scripts/windows-build.sh passes --windows) also needs
# MinGW-w64, wine, dpkg-dev (for apt-get source) and nsis (makensis, for the
# installer); the Linux suites do not.
windows_packages=(gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  mingw-w64-x86-64-dev wine wine64 dpkg-dev nsis)
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

# Dates are typed and shown in the user's locale; the tests read them under
# these two, so they must exist (Debian ships them listed but not generated).
wanted_locales=(de_DE.UTF-8 en_US.UTF-8)
absent_locales=()
for l in "${wanted_locales[@]}"; do
  # locale -a spells "de_DE.UTF-8" as "de_DE.utf8"
  locale -a 2>/dev/null | grep -qix "${l%%.*}.utf-\?8" || absent_locales+=("$l")
done
if [ ${#absent_locales[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing locales: ${absent_locales[*]} (run as root to generate them)" >&2
    exit 1
  fi
  echo "generating locales: ${absent_locales[*]}"
  for l in "${absent_locales[@]}"; do
    pattern="${l//./\\.} UTF-8"
    if grep -q "^# *${pattern}\$" /etc/locale.gen; then
      sed -i "s/^# *\(${pattern}\)\$/\1/" /etc/locale.gen
    elif ! grep -q "^${pattern}\$" /etc/locale.gen; then
      echo "$l UTF-8" >>/etc/locale.gen
    fi
  done
  locale-gen
fi
