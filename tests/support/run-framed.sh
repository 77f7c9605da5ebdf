#!/usr/bin/env bash
# Runs a test program on a display of its own whose window manager frames
# windows as a desktop does (Xvfb with openbox), on Qt's xcb platform:
#   run-framed.sh <program> [arguments...]
# Ends with 77 (skipped) when Xvfb or openbox is not installed.
set -u

if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null || ! command -v xprop >/dev/null; then
  echo "Xvfb, openbox or xprop missing: skipped"
  exit 77
fi

work=$(mktemp -d)
xvfb=""
wm=""
finish() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  cat "$work/xvfb.log"
  echo "Xvfb did not start"
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# The window manager is running once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

QT_QPA_PLATFORM=xcb "$@"
