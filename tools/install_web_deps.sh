#!/usr/bin/env bash
# Installs what the browser edition builds and tests with, when missing:
# Debian's emscripten (with its clang, binaryen and prebuilt libraries), node
# to run its tests and vorlisk-sim, GoogleTest's sources to build for it, and
# Chromium with its driver and selenium (for the system's python3) for the
# test of the page itself. ./test.sh calls it; ./run.sh does not need it.
set -euo pipefail
packages=(emscripten nodejs googletest chromium chromium-driver python3-selenium)
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
