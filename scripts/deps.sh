#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages the program, its tests and its tools need, when missing.
#   scripts/deps.sh --packaging   also the tools of the package build and its check
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev
  qt6-svg-dev qt6-httpserver-dev qt6-websockets-dev qt6-qpa-plugins libqt6sql6-sqlite
  qt6-translations-l10n
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
  libgtest-dev libgmock-dev googletest libbenchmark-dev libzip-dev
  xvfb xauth openbox fonts-dejavu-core poppler-utils
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi orca xdotool
  clang libclang-rt-14-dev clang-format python3 desktop-file-utils appstream
)
if [ "${1:-}" = "--packaging" ]; then
  packages+=(dpkg-dev debootstrap lintian reuse)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
