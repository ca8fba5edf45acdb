#!/usr/bin/env bash
# Makes data/fonts/caption.otf: the two characters of the toolbar's Print
# caption ("打印"), cut from the Noto Sans CJK face that fontconfig picks for
# them on a Debian desktop (Noto Sans CJK JP Regular, from fonts-noto-cjk),
# with every layout table and hint kept, so they are drawn exactly as that face
# draws them. The family is renamed "ZR580 Caption", as the font's licence (SIL
# Open Font License 1.1) asks of a modified version; its copyright and licence
# records stay in the font, and packaging/copyright carries the licence. Needs
# fonts-noto-cjk and python3-fonttools.
#
#   scripts/make-caption-font.sh [SOURCE.ttc [FACE_NUMBER]]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
face=${1:-/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc}
number=${2:-0}
out=$src/data/fonts/caption.otf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 -m fontTools.subset "$face" --font-number="$number" --text="打印" \
    --layout-features='*' --name-IDs='*' --name-languages='*' --output-file="$work/cut.otf"
/usr/bin/python3 - "$work/cut.otf" "$out" <<'PY'
import sys
from fontTools.ttLib import TTFont
font = TTFont(sys.argv[1])
family = font["name"].getDebugName(1)
postscript = font["name"].getDebugName(6).split("-")[0]
for record in font["name"].names:
    text = record.toUnicode()
    text = text.replace(family, "ZR580 Caption").replace(postscript, "ZR580Caption")
    record.string = text
cff = font["CFF "].cff
cff.fontNames = [name.replace(postscript, "ZR580Caption") for name in cff.fontNames]
font.save(sys.argv[2])
PY
echo "wrote $out ($(stat -c %s "$out") bytes)"
