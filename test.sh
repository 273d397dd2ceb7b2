#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through
# CTest: once in the normal build, the core tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the browser edition's
# tests under node.
set -euo pipefail
cd "$(dirname "$0")"
tools/install_deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
# (web_equivalence runs last, once the browser build is current)
ctest --test-dir build --output-on-failure -j2 -E '^web_equivalence$'

cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVORLISK_GUI=OFF -DVORLISK_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j2 \
  -E '^web_equivalence$'

# The browser edition: the same core compiled to WebAssembly, its tests under
# node, then its vorlisk-sim against this build's, pass by pass.
tools/install_web_deps.sh
tools/build_web.sh --all
ctest --test-dir build-web --output-on-failure -j2
ctest --test-dir build --output-on-failure -R web_equivalence
