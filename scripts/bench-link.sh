#!/usr/bin/env bash
# Times a full read, a full write, a safe write (checked backup, write, read-back
# check) and a radio-information read through zr580-cli against the simulated
# radio pacing its line like 9600 baud 8N2, and compares each with the time the
# line alone needs for its bytes (1.146 ms per byte). Also reports the CPU time
# the command-line tool used. "measured" is the whole command (process start
# included), "transfer" the time the tool itself reports from the opening of the
# port to the end of the transfer (--timing).
#
# Then the same transfers through a cable that echoes every byte (time against
# the clean cable), and with the command-line tool's default options:
#   - a 500 ms drop-out at RUNS points spread over each of read, write and safe
#     write: each must succeed with the radio's memory (or the read file) exact;
#   - noise spoiling about one reply in 50 (a stray byte or a flipped bit), RUNS
#     seeds: safe writes must succeed with the memory exact and the backup equal
#     to the radio before, checked reads must be exact; a success with other
#     bytes is counted as a false success.
#
#   scripts/bench-link.sh [BUILD_BIN_DIR] [ROUNDS] [RUNS] [PART...]
# ROUNDS (default 1) repeats each timing, RUNS (default 20) sizes the drop-out
# and noise series; PART picks some of clean, echo, dropout, noise (default all).
# Targets: clean ratios at most 1.03 (safe write with its checked backup
# included), CPU time under 5% of the wall time; echo at most 1.02 of clean;
# every drop-out and noise run a success with exact memory, no false success.
set -euo pipefail

bin=${1:-$(dirname "$0")/../build/bin}
rounds=${2:-1}
runs=${3:-20}
shift $(($# < 3 ? $# : 3))
parts=" ${*:-clean echo dropout noise} "
bin=$(cd "$bin" && pwd)
work=$(mktemp -d)
sim_pid=
cleanup() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
wants() { [[ $parts == *" $1 "* ]]; }

# A program folder of its own, so the benchmark never touches the user's settings.
mkdir -p "$work/home"
cp -r "$bin/Init" "$bin/language" "$bin/dec.tbl" "$work/home/"
export ZR580_HOME=$work/home
cli=("$bin/zr580-cli")

# start_sim ARGS...: a fresh simulated radio at $work/radio (paced, its memory
# saved to $work/memory.bin after every write).
start_sim() {
    # The old output goes first, so the wait below sees this simulator's device line.
    rm -f "$work/memory.bin" "$work/sim.out"
    "$bin/zr580-radiosim" --link "$work/radio" --pace --save "$work/memory.bin" "$@" \
        >"$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 50); do [[ -s $work/sim.out ]] && return; sleep 0.05; done
    echo "the simulator did not start" >&2
    exit 1
}
# stop_sim: ends it; $received is then the number of bytes it was sent.
stop_sim() {
    kill "$sim_pid"
    wait "$sim_pid" || true
    sim_pid=
    received=$(sed -n 's/^received \([0-9]*\) bytes$/\1/p' "$work/sim.out")
}

"${cli[@]}" new "$work/doc.dat" >/dev/null

TIMEFORMAT='%3R %3U %3S'
# timed NAME BYTES COMMAND...: runs the command once and prints its figures;
# $transfer is then the time the tool reported.
timed() {
    local name=$1 bytes=$2
    shift 2
    local t
    t=$({ time "$@" >/dev/null 2>"$work/err"; } 2>&1) || {
        echo "$name failed: $(cat "$work/err")" >&2
        exit 1
    }
    read -r real user sys <<<"$t"
    transfer=$(sed -n 's/.*transfer took \([0-9.]*\) s.*/\1/p' "$work/err")
    awk -v n="$name" -v b="$bytes" -v r="$real" -v u="$user" -v s="$sys" -v x="$transfer" 'BEGIN {
        line = b * 1.146 / 1000; cpu = u + s
        printf "%-11s %5d bytes  line %6.3f s  measured %6.3f s (ratio %5.3f)  transfer %6.3f s (ratio %5.3f)  cpu %5.3f s (%3.1f%% of wall)\n",
               n, b, line, r, r / line, x, x / line, cpu, 100 * cpu / r }'
}

# The four transfers: name, bytes on the line, the command's arguments.
# A read is 101 bytes of handshake and identification and 74 a block. The checked
# backup reads all 64 blocks twice (9573 bytes), the check the 42 blocks up to
# 0xA7F (3209).
names=(read write safe info)
bytes=(4837 3539 16321 443)
# transfer KIND OUT.dat [OPTION...]: the tool's command for one transfer with the
# radio (read, check: a checked read, write: the plain write, safe, info).
transfer() {
    local kind=$1 out=$2
    shift 2
    local port=(--port "$work/radio")
    case $kind in
    read) "${cli[@]}" read "$@" "${port[@]}" --yes "$out" ;;
    check) "${cli[@]}" read --check "$@" "${port[@]}" --yes "$out" ;;
    write) "${cli[@]}" write "$@" "${port[@]}" --yes --no-backup --no-verify "$work/doc.dat" ;;
    safe) "${cli[@]}" write "$@" "${port[@]}" --yes --backup-dir "$work/backups" "$work/doc.dat" ;;
    info) "${cli[@]}" info "$@" "${port[@]}" ;;
    esac
}
declare -A clean_transfer

if wants clean || wants echo; then
    for i in "${!names[@]}"; do
        name=${names[$i]}
        for _ in $(seq "$rounds"); do
            if wants clean; then
                start_sim
                timed "$name" "${bytes[$i]}" transfer "$name" "$work/read.dat" --timing
                stop_sim
                clean_transfer[$name]=$transfer
            fi
            if wants echo; then
                start_sim --echo
                timed "$name+echo" "${bytes[$i]}" transfer "$name" "$work/read.dat" --timing
                stop_sim
                [[ -n ${clean_transfer[$name]:-} ]] &&
                    awk -v e="$transfer" -v c="${clean_transfer[$name]}" -v n="$name" \
                        'BEGIN { printf "%-11s echo / clean transfer %5.3f\n", n, e / c }'
            fi
        done
    done
fi

# What a clean cable leaves: the read file, the memory after a write, the backup.
reference() {
    start_sim
    transfer read "$work/ref-read.dat" >/dev/null 2>&1
    stop_sim
    read_received=$received
    start_sim
    transfer write - >/dev/null 2>&1
    stop_sim
    write_received=$received
    cp "$work/memory.bin" "$work/ref-memory.bin"
    rm -rf "$work/backups"
    start_sim
    transfer safe - >/dev/null 2>&1
    stop_sim
    safe_received=$received
    cp "$work/backups"/*.bin "$work/ref-backup.bin"
    cmp -s "$work/memory.bin" "$work/ref-memory.bin" || { echo "clean safe write differs" >&2; exit 1; }
}

# one_run KIND SIM_ARGS...: one transfer through a spoilt cable; prints ok, wrong
# (a success with other bytes: a false success) or failed (a failure, reported).
one_run() {
    local kind=$1
    shift
    rm -rf "$work/backups" "$work/out.dat" "$work/out.NVD"
    start_sim "$@"
    local status=0
    transfer "$kind" "$work/out.dat" >/dev/null 2>"$work/err" || status=$?
    stop_sim
    if [[ $status != 0 ]]; then
        echo failed
        return
    fi
    local exact=1
    case $kind in
    read | check) cmp -s "$work/out.dat" "$work/ref-read.dat" || exact=0 ;;
    write) cmp -s "$work/memory.bin" "$work/ref-memory.bin" || exact=0 ;;
    safe) cmp -s "$work/memory.bin" "$work/ref-memory.bin" &&
        cmp -s "$work/backups"/*.bin "$work/ref-backup.bin" || exact=0 ;;
    esac
    ((exact)) && echo ok || echo wrong
}

# series LABEL KIND RESULTS...: the count of each outcome.
series() {
    local label=$1 kind=$2
    shift 2
    local ok=0 wrong=0 failed=0 r
    for r in "$@"; do
        case $r in ok) ok=$((ok + 1)) ;; wrong) wrong=$((wrong + 1)) ;; *) failed=$((failed + 1)) ;; esac
    done
    printf '%-26s %-6s %2d/%d exact successes, %d false successes, %d failures\n' \
        "$label" "$kind" "$ok" "$#" "$wrong" "$failed"
}

if wants dropout || wants noise; then
    reference
fi
if wants dropout; then
    for kind in read write safe; do
        declare -n total="${kind}_received"
        results=()
        for i in $(seq "$runs"); do
            results+=("$(one_run "$kind" --dropout "500@$((total * i / (runs + 1)))")")
        done
        series "500 ms drop-out, $runs points" "$kind" "${results[@]}"
        unset -n total
    done
fi
if wants noise; then
    for kind in safe check; do
        results=()
        for seed in $(seq "$runs"); do
            results+=("$(one_run "$kind" --noise 0.02 --seed "$seed")")
        done
        series "noise 1 reply in 50" "$kind" "${results[@]}"
    done
fi
