#!/usr/bin/env bash
# Builds the fuzzing harnesses with clang (AddressSanitizer and UndefinedBehavior-
# Sanitizer, in build-fuzz/) and runs each for SECONDS (default 20) on its seeds,
# one after the other. New inputs collect in build-fuzz/corpus/<harness>/; a
# finding stops the run and leaves its input in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
scripts/setup.sh --fuzz --no-build
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZR580_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p build-fuzz/findings
for harness in build-fuzz/fuzz/fuzz_*; do
    [ -f "$harness" ] && [ -x "$harness" ] || continue
    name="${harness##*/fuzz_}"
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    echo "== $name: $seconds s"
    log="build-fuzz/findings/$name.log"
    status=0
    "$harness" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$name-" "$corpus" "build-fuzz/fuzz-seeds/$name" \
        >"$log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|SUMMARY|fuzz check)" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: $name found a fault (input in build-fuzz/findings/)"
        exit 1
    fi
done
