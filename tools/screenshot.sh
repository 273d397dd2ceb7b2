#!/usr/bin/env bash
# Takes a picture of the desktop program running an example circuit: starts
# it on a virtual X display, runs the circuit for a moment, saves a PNG of
# the main window and quits.
#
#   tools/screenshot.sh [example file in 例子] [output PNG]
#   BUILD=build-gui RUN_MS=1500 tools/screenshot.sh 74LS90十进制计数器.vlk docs/screenshot.png
#
# Needs xvfb-run (Debian package xvfb) and a built `vorlisk` in $BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
RUN_MS=${RUN_MS:-1500}
EXAMPLE=${1:-74LS90十进制计数器.vlk}
OUT=${2:-docs/screenshot.png}

program="$BUILD/vorlisk"
circuit="$BUILD/例子/$EXAMPLE"
[[ -x "$program" ]] || { echo "no program at $program: build the target vorlisk first" >&2; exit 1; }
[[ -f "$circuit" ]] || { echo "no example $circuit" >&2; exit 1; }
mkdir -p "$(dirname "$OUT")"

xvfb-run -a -s "-screen 0 1100x720x24" \
    "$program" --no-splash --run-for-ms "$RUN_MS" --screenshot "$OUT" "$circuit"
[[ -s "$OUT" ]] || { echo "no picture was written" >&2; exit 1; }
echo "$OUT"
