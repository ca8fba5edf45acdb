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
# shellcheck source=scripts/desktop-session.sh
source "$(dirname "$0")/desktop-session.sh"

start_desktop
use_program_home "$bin"
export ZR580_LANG=$language
"$bin/zr580" >"$work/program.log" 2>&1 &
pids+=($!)
sleep "$settle"
xwd -root -silent >"$work/screen.xwd"
# ImageMagick's own convert, whatever else is first on the PATH.
/usr/bin/convert "$work/screen.xwd" -strip "$out"
