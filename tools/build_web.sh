#!/usr/bin/env bash
# Builds the browser edition into build-web/ with Debian's emscripten:
# build-web/vorlisk.html, the one self-contained page to publish, and
# vorlisk-sim for node. `tools/build_web.sh --all` builds the tests too.
# Needs tools/install_web_deps.sh (emscripten, nodejs, googletest).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v emcmake >/dev/null || ! command -v node >/dev/null; then
  echo "build_web.sh: emscripten or node is missing: run tools/install_web_deps.sh" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# emcmake hands node a flag node 20 refuses: the project sets its own.
emcmake cmake -G Ninja -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" "${launcher[@]}"
if [ "${1:-}" = "--all" ]; then
  cmake --build build-web -j2
else
  cmake --build build-web -j2 --target page vorlisk-sim
fi
echo "build-web/vorlisk.html: $(du -k build-web/vorlisk.html | cut -f1) KB"
