#!/bin/bash
# fill.sh -- the picture fills the screen's limiting side, centred on black:
# on a 1366x768 screen its box is 1024x768 at (171, 0); on a 1280x960 screen
# it is the picture at scale 2, each pixel a 2x2 square, and taken back to
# one pixel per picture pixel it is exactly an effect frame.
. "$(dirname "$0")/lib.sh"

# box SHOT: the geometry of what is not black in the screenshot, WxH+X+Y.
box() {
  convert "$1" -bordercolor black -border 1 -trim -format '%wx%h+%[fx:page.x-1]+%[fx:page.y-1]' info:
}

# run_on SCREEN: the demo on a fresh screen of that size until it shows a
# picture (not all black), its screenshot in $work/SCREEN.png; then Escape.
run_on() {
  local shot=$work/$1.png
  start_demo "$1x24"
  for _ in $(seq 100); do
    e2e_screenshot "$shot" && [ "$(convert "$shot" -format '%[fx:maxima.intensity]' info:)" != 0 ] && break
    sleep 0.1
  done
  sleep 0.5 # a few frames more, past any window manager's first draw
  e2e_screenshot "$shot" || fail "no screenshot on $1"
  xdotool key Escape
  ends_with_zero_within 2
  e2e_stop_xvfb
}

run_on 1366x768
got=$(box "$work/1366x768.png")
[ "$got" = 1024x768+171+0 ] || fail "on 1366x768 the picture's box is $got, expected 1024x768+171+0"

run_on 1280x960
convert "$work/1280x960.png" -sample 50% "$work/half.png"
convert "$work/half.png" -sample 200% "$work/again.png"
squares=$(compare -metric AE "$work/1280x960.png" "$work/again.png" null: 2>&1)
[ "$squares" = 0 ] || fail "at scale 2, $squares screen pixels differ from their 2x2 square's"
"$screencheck" "$work/half.png" >"$work/check.txt" 2>&1 ||
  fail "at scale 2, not an effect frame: $(cat "$work/check.txt")"
echo "fill: 1024x768+171+0 on 1366x768; at scale 2 exactly a frame ($(cat "$work/check.txt" | head -1))"
