#!/usr/bin/env bash
# Fuzzes the readers of outside input (dates and numbers typed into the boxes) with libFuzzer.
# csv: the import's delimited-text reader (orderimport/), fed any bytes.
# Usage: scripts/fuzz.sh [SECONDS per target, default 30]
# A crash leaves its input in build-fuzz/crashes/; make it a regular test before fixing it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTALLYWICK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
rm -rf build-fuzz/crashes && mkdir -p build-fuzz/crashes
for target in textforms csv; do
    work=build-fuzz/corpus-$target
    mkdir -p "$work"
    echo "fuzzing $target for ${seconds}s"
    build-fuzz/bin/fuzz_$target -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix=build-fuzz/crashes/ "$work" "tests/fuzz/corpus/$target" 2>&1 |
        grep -E '^(stat::number_of_executed_units|==|SUMMARY|#[0-9]+ +DONE)' || true
    if [ -n "$(ls -A build-fuzz/crashes)" ]; then
        echo "fuzzing $target found a failure: see build-fuzz/crashes/" >&2
        exit 1
    fi
done
