#!/usr/bin/env bash
# Installs the Debian packages Quillbox needs when they are missing.
# Usage: tools/scripts/install-deps.sh build|test
set -euo pipefail

build_pkgs=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libcanberra-dev libgl-dev libxcb1-dev libfontconfig-dev libicu-dev
  libgtest-dev libbenchmark-dev
  libqt6svg6 qt6-svg-dev qt6-translations-l10n
  fonts-noto-cjk xdg-utils
)
test_pkgs=(
  clang clang-format libclang-rt-14-dev
  xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick trayer
  dbus dbus-x11 at-spi2-core python3 python3-gi python3-pyatspi gir1.2-atspi-2.0
  g++-mingw-w64-x86-64-posix wine wine64
  dpkg-dev file desktop-file-utils appstream lintian
)

wanted=("${build_pkgs[@]}")
if [ "${1:-build}" = test ]; then
  wanted+=("${test_pkgs[@]}")
fi

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Quillbox: installing missing Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Quillbox: these packages are missing and this user can neither run apt-get as root nor use sudo:" >&2
  echo "  ${missing[*]}" >&2
  echo "Ask an administrator to run: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${as_root[@]}" apt-get update -q || \
   ! "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
  echo "Quillbox: apt-get could not install: ${missing[*]}" >&2
  exit 1
fi
