#!/usr/bin/env bash
# Times safe writes (backup, write, verify) to 1, 4 and 8 radios at once through
# zr580-cli, each radio a simulator pacing its line like 9600 baud 8N2, and
# compares the wall time of N radios with the wall time of one. Also reports the
# CPU time the command-line tool used, as a share of one core over the run.
#
#   scripts/bench-fleet.sh [BUILD_BIN_DIR] [COUNTS...]
# Target: ratio at most 1.05 for 4 and 8 radios, CPU under 5% of one core.
set -euo pipefail

bin=${1:-$(dirname "$0")/../build/bin}
shift || true
counts=("$@")
[[ ${#counts[@]} -gt 0 ]] || counts=(1 4 8)
bin=$(cd "$bin" && pwd)
work=$(mktemp -d)
sims=()
stop_sims() {
    local pid
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
    sims=()
}
cleanup() {
    stop_sims
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own, so the benchmark never touches the user's settings.
mkdir -p "$work/home"
cp -r "$bin/Init" "$bin/language" "$bin/dec.tbl" "$work/home/"
export ZR580_HOME=$work/home
"$bin/zr580-cli" new "$work/doc.dat" >/dev/null

TIMEFORMAT='%3R %3U %3S'
single=
for n in "${counts[@]}"; do
    : >"$work/ports"
    for i in $(seq "$n"); do
        "$bin/zr580-radiosim" --link "$work/radio$i" --pace >"$work/sim$i.out" &
        sims+=($!)
        echo "$work/radio$i" >>"$work/ports"
    done
    for i in $(seq "$n"); do
        for _ in $(seq 50); do [[ -s $work/sim$i.out ]] && break; sleep 0.1; done
        [[ -s $work/sim$i.out ]] || { echo "simulator $i did not start" >&2; exit 1; }
    done
    # --ports-from: the fleet's own path even for one radio.
    t=$({ time "$bin/zr580-cli" write --ports-from "$work/ports" "$work/doc.dat" \
        >"$work/out" 2>"$work/err"; } 2>&1) || {
        echo "$n radios failed: $(cat "$work/out" "$work/err")" >&2
        exit 1
    }
    stop_sims
    read -r real user sys <<<"$t"
    [[ -n $single ]] || single=$real
    awk -v n="$n" -v r="$real" -v u="$user" -v s="$sys" -v one="$single" 'BEGIN {
        cpu = u + s
        printf "%d radio(s): wall %6.3f s (ratio to one %5.3f)  cpu %5.3f s (%4.2f%% of one core)\n",
               n, r, r / one, cpu, 100 * cpu / r }'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
