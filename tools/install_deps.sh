#!/usr/bin/env bash
# Installs the Debian 12 packages Vorlisk builds and tests with, when missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev clang
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev
  libusb-1.0-0-dev
  fonts-liberation fonts-wqy-microhei fonts-dejavu-core
  xvfb xauth
  # building and checking the Debian package
  dpkg-dev desktop-file-utils shared-mime-info file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "${missing[@]}"
fi
