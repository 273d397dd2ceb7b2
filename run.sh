#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vorlisk. Without a window
# system it runs an example through the command-line runner instead.
set -euo pipefail
cd "$(dirname "$0")"
tools/install_deps.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
if [ -x build/vorlisk ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/vorlisk "$@"
fi
echo "No display: running the half adder example with vorlisk-sim."
exec build/vorlisk-sim "build/例子/半加器.vlk" --passes 20 --truth-table
