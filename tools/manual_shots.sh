#!/usr/bin/env bash
# Makes the pictures of the user manual: starts the desktop program on a
# virtual X display, draws with real mouse and key events (xdotool) as a
# student would, and saves what the screen shows as PNG files.
#
#   tools/manual_shots.sh [output folder]        (default docs/manual)
#   BUILD=build-gui tools/manual_shots.sh /tmp/shots
#
# Needs Xvfb, xdotool and ImageMagick (import, convert), and a built
# `vorlisk` in $BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
OUT=${1:-docs/manual}
program="$(pwd)/$BUILD/vorlisk"
[[ -x "$program" ]] || { echo "no program at $program: build the target vorlisk first" >&2; exit 1; }
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1100x720x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
home=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; pkill -f "$program --no-splash" 2>/dev/null; rm -rf "$home"' EXIT
export DISPLAY=$display
sleep 1

# The canvas's top-left corner on the screen, with the window at 0,0 and
# 1100 x 720 (the component box is 84 pixels wide and does not scroll).
X0=84 Y0=49

start() {  # [circuit file]
    pkill -f "$program --no-splash" 2>/dev/null || true
    sleep 0.3
    (cd "$(dirname "$program")" && HOME=$home "$program" --no-splash -geometry 1100x720+0+0 "$@" >/dev/null 2>&1 &)
    sleep 2.5
}
move() { xdotool mousemove $(($1 + X0)) $(($2 + Y0)); sleep 0.15; }
click() { move "$1" "$2"; xdotool click 1; sleep 0.25; }
right_click() { move "$1" "$2"; xdotool click 3; sleep 0.4; }
double_click() { move "$1" "$2"; xdotool click --repeat 2 --delay 80 1; sleep 0.3; }
drag() { move "$1" "$2"; xdotool mousedown 1; sleep 0.1; move $((($1 + $3) / 2)) $((($2 + $4) / 2)); move "$3" "$4"; xdotool mouseup 1; sleep 0.3; }
# Button n of the component box, counted row by row from 0.
box_button() { xdotool mousemove $((21 + ($1 % 2) * 41)) $((Y0 + 21 + ($1 / 2) * 41)); sleep 0.15; xdotool click 1; sleep 0.5; }
# A kind in the palette window a group button opened: the window stands
# 45 (left column) or 85 (right column) pixels right of the main window and
# `offset` pixels below the top of the component box.
palette_kind() {  # column x (45 or 85), offset, index of the kind in the family
    xdotool mousemove $(($1 + 22 + $3 * 40)) $((Y0 + $2 + 22)); sleep 0.15; xdotool click 1; sleep 0.3
}
shot() {  # name, crop WxH+X+Y
    import -window root "$home/shot.png"
    convert "$home/shot.png" -crop "$2" +repage "$OUT/$1.png"
    echo "$OUT/$1.png"
}

# --- the palette window and the chip chooser --------------------------------
start
box_button 7   # NAND family
shot palette_window 520x300+0+130
xdotool key Escape; sleep 0.3
box_button 18  # chips of the first page
shot chip_chooser 460x300+320+200
xdotool key Escape; sleep 0.3

# --- drawing: parts, a wire with a corner, a wire on its way ---------------------
box_button 17; palette_kind 85 362 0   # level switch (sources family)
click 100 100
click 100 200
box_button 7; palette_kind 85 162 0    # 2-input NAND
click 250 150
box_button 20; palette_kind 45 442 0   # LED
click 400 150
box_button 1   # wire tool
click 131 101; move 180 100; click 180 100; move 221 139; click 221 139
click 131 199; move 180 200; click 180 200; move 219 161; click 219 161
click 270 150; move 300 150; click 300 150; move 331 181   # a corner, then 45 degrees down
shot drawing_wire 560x300+84+80
right_click 331 181   # the wire in progress is dropped
box_button 1
click 270 150; move 379 151; click 379 151
box_button 3   # test point tool
click 320 150
box_button 0

# --- running: both switches low, the NAND lights the LED -------------------------------
xdotool mousemove 365 32; xdotool click 1; sleep 1.0   # 运行 on the toolbar
shot running 560x300+84+80
double_click 100 100; double_click 100 200; sleep 0.6
shot running_toggled 560x300+84+80
xdotool mousemove 394 32; xdotool click 1; sleep 0.4   # 停止

# --- selecting: a rectangle, then the context menu on the selection ----------------
drag 60 60 300 240
right_click 250 150
shot context_menu 560x330+84+80
xdotool key Escape; sleep 0.3

# --- the main window running an example ------------------------------------------------------
pkill -f "$program --no-splash" 2>/dev/null || true
(cd "$(dirname "$program")" && HOME=$home "$program" --no-splash --run-for-ms 1500 --screenshot "$OUT/main_window.png" \
    "例子/74LS90十进制计数器.vlk" >/dev/null 2>&1)
echo "$OUT/main_window.png"
