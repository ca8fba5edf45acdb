# Sourced by the scripts that run the desktop program on a screen of their own:
# a scratch folder ($work, removed on exit with every process started through
# it), an X server at 1024x768 with openbox as on a desktop, and a program
# folder of its own so the user's settings stay untouched.
work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Starts Xvfb and openbox (when installed) and exports DISPLAY for them.
start_desktop() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    exec 3>&-
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
    [[ -s $work/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$(head -n1 "$work/display")
    export QT_QPA_PLATFORM=xcb
    if command -v openbox >/dev/null; then
        openbox >"$work/openbox.log" 2>&1 &
        pids+=($!)
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.05
        done
    else
        echo "no openbox: the windows are mapped without a window manager" >&2
    fi
}

# A program folder in $work/home with the files of the program folder BIN, used
# through ZR580_HOME; the C locale with UTF-8.
use_program_home() {
    mkdir -p "$work/home"
    cp -r "$1/Init" "$1/language" "$1/dec.tbl" "$work/home/"
    export ZR580_HOME=$work/home LANG=C.UTF-8 LC_ALL=C.UTF-8
}
