#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS | --runs N] [HARNESS...]
# Builds the fuzzing harnesses with clang (AddressSanitizer and UndefinedBehavior-
# Sanitizer, in build-fuzz/) and runs each (or the ones named) for SECONDS (default
# 20) or for N inputs on its seeds, one after the other. New inputs collect in
# build-fuzz/corpus/<harness>/; a finding stops the run and leaves its input in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time=20)
what="20 s"
if [ "${1:-}" = "--runs" ]; then
    [[ "${2:-}" =~ ^[0-9]+$ ]] || { echo "usage: $0 [SECONDS | --runs N] [HARNESS...]" >&2; exit 2; }
    limit=(-runs="$2"); what="$2 runs"; shift 2
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
    limit=(-max_total_time="$1"); what="$1 s"; shift
fi
scripts/setup.sh --fuzz --no-build
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZR580_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
# A use-after-free is caught while the memory is among the last 64 MB freed: a
# few dozen inputs back, where the default 256 MB only made every harness hold
# half a gigabyte and fault new pages in all the time.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:quarantine_size_mb=64${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
mkdir -p build-fuzz/findings
for name in "$@"; do
    [ -x "build-fuzz/fuzz/fuzz_$name" ] || {
        echo "fuzz: no harness '$name' (there are: $(cd build-fuzz/fuzz && ls -d fuzz_* | grep -v _autogen | sed 's/^fuzz_//' | xargs))" >&2
        exit 2
    }
done
for harness in build-fuzz/fuzz/fuzz_*; do
    [ -f "$harness" ] && [ -x "$harness" ] || continue
    name="${harness##*/fuzz_}"
    if [ "$#" -gt 0 ] && [[ ! " $* " =~ " $name " ]]; then continue; fi
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    echo "== $name: $what"
    log="build-fuzz/findings/$name.log"
    status=0
    "$harness" "${limit[@]}" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$name-" "$corpus" "build-fuzz/fuzz-seeds/$name" \
        >"$log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb|SUMMARY|fuzz check)" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: $name found a fault (input in build-fuzz/findings/)"
        exit 1
    fi
done
