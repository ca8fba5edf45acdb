#!/usr/bin/env bash
# Times a full read, a full write, a safe write (backup, write, read-back check)
# and a radio-information read through zr580-cli
# against the simulated radio pacing its line like 9600 baud 8N2, and compares
# each with the time the line alone needs for its bytes (1.146 ms per byte).
# Also reports the CPU time the command-line tool used. "measured" is the whole
# command (process start included), "transfer" the time the tool itself reports
# from the opening of the port to the end of the transfer (--timing).
#
#   scripts/bench-link.sh [BUILD_BIN_DIR] [ROUNDS]
# Target: every ratio at most 1.03, CPU time under 5% of the wall time.
set -euo pipefail

bin=${1:-$(dirname "$0")/../build/bin}
rounds=${2:-1}
bin=$(cd "$bin" && pwd)
work=$(mktemp -d)
sim_pid=
cleanup() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own, so the benchmark never touches the user's settings.
mkdir -p "$work/home"
cp -r "$bin/Init" "$bin/language" "$bin/dec.tbl" "$work/home/"
export ZR580_HOME=$work/home

"$bin/zr580-radiosim" --link "$work/radio" --pace >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 50); do [[ -s $work/sim.out ]] && break; sleep 0.1; done
[[ -s $work/sim.out ]] || { echo "the simulator did not start" >&2; exit 1; }
"$bin/zr580-cli" new "$work/doc.dat" >/dev/null

TIMEFORMAT='%3R %3U %3S'
measure() { # name bytes command...
    local name=$1 bytes=$2
    shift 2
    local round
    for round in $(seq "$rounds"); do
        local t
        t=$({ time "$@" >/dev/null 2>"$work/err"; } 2>&1) || {
            echo "$name failed: $(cat "$work/err")" >&2
            exit 1
        }
        read -r real user sys <<<"$t"
        local transfer
        transfer=$(sed -n 's/.*transfer took \([0-9.]*\) s.*/\1/p' "$work/err")
        awk -v n="$name" -v b="$bytes" -v r="$real" -v u="$user" -v s="$sys" -v x="$transfer" 'BEGIN {
            line = b * 1.146 / 1000; cpu = u + s
            printf "%-5s %5d bytes  line %5.3f s  measured %5.3f s (ratio %5.3f)  transfer %5.3f s (ratio %5.3f)  cpu %5.3f s (%3.1f%% of wall)\n",
                   n, b, line, r, r / line, x, x / line, cpu, 100 * cpu / r }'
    done
}

measure read 4837 "$bin/zr580-cli" read --timing --port "$work/radio" --yes "$work/read.dat"
measure write 3539 "$bin/zr580-cli" write --timing --port "$work/radio" --yes --no-backup \
    --no-verify "$work/doc.dat"
# The backup reads all 64 blocks (4837 bytes), the check the 42 blocks up to 0xA7F (3209).
measure safe 11585 "$bin/zr580-cli" write --timing --port "$work/radio" --yes \
    --backup-dir "$work/backups" "$work/doc.dat"
measure info 443 "$bin/zr580-cli" info --timing --port "$work/radio"
