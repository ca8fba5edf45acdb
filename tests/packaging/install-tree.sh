#!/usr/bin/env bash
# The installed program: `cmake --install` into a staging prefix lists exactly
# the expected files; the desktop entry and the metainfo validate; run from the
# read-only prefix, the program keeps its settings in the user's configuration
# folder (first run creates them from the shipped defaults, a second run keeps
# the user's changes) and its backups in the user's data folder (the backups of
# earlier versions moved there), ends cleanly on a termination signal, writes
# nothing under the prefix, and leaves nothing else in the user's home.
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
unset XDG_CONFIG_HOME XDG_DATA_HOME ZR580_HOME
mkdir -p "$HOME"
config=$HOME/.config/zr580
data=$HOME/.local/share/zr580
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The command-line tool works for the user and leaves no trace; the channel
# sheet prints without a word from Qt, also without XDG_RUNTIME_DIR.
"$prefix/bin/zr580-cli" new "$work/new.dat" >/dev/null || fail "zr580-cli new"
[[ -s $work/new.dat ]] || fail "zr580-cli new wrote nothing"
env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM "$prefix/bin/zr580-cli" print "$work/new.dat" \
    --pdf "$work/new.pdf" >"$work/print.log" 2>&1 || fail "zr580-cli print: $(cat "$work/print.log")"
[[ -s $work/new.pdf && ! -s $work/print.log ]] || fail "zr580-cli print said: $(cat "$work/print.log")"
"$prefix/bin/zr580-radiosim" --link "$work/radio" >/dev/null &
sim_pid=$!
for _ in $(seq 50); do [[ -e $work/radio ]] && break; sleep 0.1; done
"$prefix/bin/zr580-cli" info --port "$work/radio" >/dev/null || fail "zr580-cli info"
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true

# Backups where earlier versions kept them, beside the settings.
mkdir -p "$config/backups"
echo old >"$config/backups/2026-01-02_030405_VM427_band2.dat"
echo log >"$config/backups/fleet-log.csv"
# and the window position where Qt kept it for them.
mkdir -p "$HOME/.config/ZR580"
printf '[Settings]\nLastFolder=/srv/radios\nMainLeft=1500\n' >"$HOME/.config/ZR580/ZR580.conf"

catches_sigterm() { # the process has its SIGTERM handler (bit 15 of SigCgt)
    local mask
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
    [[ -n $mask ]] && (( (16#$mask >> 14) & 1 ))
}

start_gui() { # waits until start-up has written the user's files, then ends the program
    QT_QPA_PLATFORM=offscreen "$prefix/bin/zr580" >"$work/gui.log" 2>&1 &
    gui_pid=$!
    for _ in $(seq 100); do
        [[ -s $config/BatchFun.ini ]] && grep -q '^IsFirstRun=0' "$config/mysetup.ini" 2>/dev/null &&
            catches_sigterm "$gui_pid" && break
        sleep 0.1
    done
    kill "$gui_pid" 2>/dev/null || fail "the program ended by itself: $(cat "$work/gui.log")"
    wait "$gui_pid" || fail "the program did not end cleanly on SIGTERM: $(cat "$work/gui.log")"
    gui_pid=
    grep -q '^MainLeft=' "$config/zr580.conf" 2>/dev/null || fail "no window position stored"
    [[ -z $(ls -A "$XDG_RUNTIME_DIR") ]] || fail "temporary files left: $(ls -A "$XDG_RUNTIME_DIR")"
}

start_gui # first run: the user's files come from the shipped defaults
[[ -s $config/BatchFun.ini ]] || fail "first run wrote no BatchFun.ini"
grep -q '^IsFirstRun=0' "$config/mysetup.ini" || fail "first run did not store IsFirstRun=0"
[[ -w $config/mysetup.ini ]] || fail "the user's mysetup.ini is not writable"
[[ ! -e $config/backups ]] || fail "the earlier backups stayed beside the settings"
grep -q old "$data/backups/2026-01-02_030405_VM427_band2.dat" || fail "the earlier backup was not moved"
grep -q log "$data/backups/fleet-log.csv" || fail "the earlier fleet log was not moved"
grep -q '^LastFolder=/srv/radios' "$config/zr580.conf" || fail "the earlier settings were not moved"
[[ ! -e $HOME/.config/ZR580 ]] || fail "the earlier settings folder stayed"

# The user's changes survive the next run: a port assigned and chosen, the batch flags.
sed -i 's/^comPort=.*/comPort=7/' "$config/mysetup.ini"
sed -i 's|^\[ports\]\r\?$|[ports]\r\nCOM7=/dev/null\r|' "$config/mysetup.ini"
printf '\001%.0s' $(seq 20) >"$config/BatchFun.ini"
cp "$config/BatchFun.ini" "$work/flags"
start_gui
grep -q '^comPort=7' "$config/mysetup.ini" || fail "second run lost comPort: $(cat "$config/mysetup.ini")"
grep -q '^COM7=/dev/null' "$config/mysetup.ini" || fail "second run lost the port assignment"
cmp -s "$config/BatchFun.ini" "$work/flags" || fail "second run changed BatchFun.ini"

[[ $(snapshot) == "$before" ]] || fail "something was written under the prefix"
others=$(cd "$HOME" && find . -mindepth 1 -printf '%P\n' |
    grep -Ev '^(\.config|\.local|\.local/share|\.config/zr580(/.*)?|\.local/share/zr580(/.*)?)$' || true)
[[ -z $others ]] || fail "the user's home holds more than the program's two folders: $others"
echo "install tree ok"
