#!/usr/bin/env bash
# Takes a picture of the screen once the desktop program has started and
# settled: Xvfb at 1024x768 with openbox, a program folder of its own (the
# user's settings stay untouched), LANGUAGE "en" or "zh". Two builds that
# show the same main window give byte-identical pictures, so `cmp` of two
# pictures tells whether a change altered what the window shows.
#
#   scripts/shot-startup.sh BUILD_BIN_DIR LANGUAGE OUT.png [SETTLE_SECONDS]
# Needs Xvfb, openbox, xwd (x11-apps) and ImageMagick. The channel grid's text
# caret blinks: two pictures that differ only in the caret's column of pixels
# (ImageMagick's `compare -metric AE A B null:` counts 14 pixels) were taken in
# its two phases; take one again.
set -euo pipefail

bin=$(cd "$1" && pwd)
language=$2
out=$3
settle=${4:-4}
work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
export QT_QPA_PLATFORM=xcb
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

mkdir -p "$work/home"
cp -r "$bin/Init" "$bin/language" "$bin/dec.tbl" "$work/home/"
export ZR580_HOME=$work/home ZR580_LANG=$language LANG=C.UTF-8 LC_ALL=C.UTF-8
"$bin/zr580" >"$work/program.log" 2>&1 &
pids+=($!)
sleep "$settle"
xwd -root -silent >"$work/screen.xwd"
# ImageMagick's own convert, whatever else is first on the PATH.
/usr/bin/convert "$work/screen.xwd" -strip "$out"
