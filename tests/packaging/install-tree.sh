#!/usr/bin/env bash
# The installed program: `cmake --install` into a staging prefix lists exactly
# the expected files; the desktop entry and the metainfo validate; run from the
# read-only prefix, the program keeps its settings in the user's configuration
# folder (first run creates them from the shipped defaults, a second run keeps
# the user's changes) and writes nothing under the prefix.
#
#   install-tree.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
gui_pid=
cleanup() {
    [[ -n $gui_pid ]] && kill "$gui_pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

# Exactly these files.
help_pages="batch channels comport edit features file help index keys language message model
            password program radioinfo scan settings view window"
expected=$(
    printf '%s\n' bin/zr580 bin/zr580-cli bin/zr580-radiosim \
        share/applications/zr580.desktop \
        share/icons/hicolor/256x256/apps/zr580.png share/icons/hicolor/scalable/apps/zr580.svg \
        share/man/man1/zr580.1.gz share/man/man1/zr580-cli.1.gz share/man/man1/zr580-radiosim.1.gz \
        share/doc/zr580/README.md.gz share/doc/zr580/copyright \
        share/metainfo/org.zr580.zr580.metainfo.xml \
        share/zr580/dec.tbl share/zr580/demo-radio.bin \
        share/zr580/language/chinese.ini share/zr580/language/english.ini \
        share/zr580/language/mysetup.ini
    for band in 0 1 2; do printf 'share/zr580/Init/VM427_%s.dat\nshare/zr580/Init/VM427_%s.NVD\n' "$band" "$band"; done
    for book in ZR580_e ZR580_c; do
        printf "share/zr580/$book/map.txt\n"
        for page in $help_pages; do printf "share/zr580/$book/$page.html\n"; done
    done
)
actual=$(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)
diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") || fail "installed files differ (< expected, > installed)"
file "$prefix/share/icons/hicolor/256x256/apps/zr580.png" | grep -q "256 x 256" || fail "the PNG icon is not 256 pixels"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/zr580.desktop" || fail "desktop entry"
else
    echo "desktop-file-validate is missing (package desktop-file-utils): desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.zr580.zr580.metainfo.xml" >/dev/null ||
        fail "metainfo: $(appstreamcli validate --no-net "$prefix/share/metainfo/org.zr580.zr580.metainfo.xml")"
else
    echo "appstreamcli is missing (package appstream): metainfo not validated"
fi

# The manual pages render without a warning; the copyright file is machine-readable.
if command -v groff >/dev/null && command -v man >/dev/null; then
    for page in zr580 zr580-cli zr580-radiosim; do
        file=$prefix/share/man/man1/$page.1.gz
        warnings=$(zcat "$file" | groff -man -Tutf8 -ww -z 2>&1) || fail "groff failed on $page.1"
        [[ -z $warnings ]] || fail "$page.1: $warnings"
        MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" || fail "man -l $page.1 shows no NAME"
    done
else
    echo "groff or man is missing (package man-db): manual pages not rendered"
fi
head -n 1 "$prefix/share/doc/zr580/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file has no Format line"

# Runs from the read-only prefix for a user with a fresh home.
chmod -R a-w "$prefix"
snapshot() { (cd "$prefix" && find . -printf '%P %s %T@ %m\n' | LC_ALL=C sort); }
before=$(snapshot)
export HOME=$work/home
unset XDG_CONFIG_HOME ZR580_HOME
mkdir -p "$HOME"
config=$HOME/.config/zr580

# The command-line tool works for the user and leaves no trace.
"$prefix/bin/zr580-cli" new "$HOME/new.dat" >/dev/null || fail "zr580-cli new"
[[ -s $HOME/new.dat ]] || fail "zr580-cli new wrote nothing"

start_gui() { # waits until start-up has written the user's files, then ends the program
    QT_QPA_PLATFORM=offscreen "$prefix/bin/zr580" >"$work/gui.log" 2>&1 &
    gui_pid=$!
    for _ in $(seq 100); do
        [[ -s $config/BatchFun.ini ]] && grep -q '^IsFirstRun=0' "$config/mysetup.ini" 2>/dev/null && break
        sleep 0.1
    done
    kill "$gui_pid" 2>/dev/null || fail "the program ended by itself: $(cat "$work/gui.log")"
    wait "$gui_pid" 2>/dev/null || true
    gui_pid=
}

start_gui # first run: the user's files come from the shipped defaults
[[ -s $config/BatchFun.ini ]] || fail "first run wrote no BatchFun.ini"
grep -q '^IsFirstRun=0' "$config/mysetup.ini" || fail "first run did not store IsFirstRun=0"
[[ -w $config/mysetup.ini ]] || fail "the user's mysetup.ini is not writable"

# The user's changes survive the next run: a port assigned and chosen, the batch flags.
sed -i 's/^comPort=.*/comPort=7/' "$config/mysetup.ini"
printf '\n[ports]\nCOM7=/dev/null\n' >>"$config/mysetup.ini"
printf '\001%.0s' $(seq 20) >"$config/BatchFun.ini"
cp "$config/BatchFun.ini" "$work/flags"
start_gui
grep -q '^comPort=7' "$config/mysetup.ini" || fail "second run lost comPort: $(cat "$config/mysetup.ini")"
grep -q '^COM7=/dev/null' "$config/mysetup.ini" || fail "second run lost the port assignment"
cmp -s "$config/BatchFun.ini" "$work/flags" || fail "second run changed BatchFun.ini"

[[ $(snapshot) == "$before" ]] || fail "something was written under the prefix"
echo "install tree ok"
