#!/usr/bin/env bash
# Builds the project with Clang under AddressSanitizer and UndefinedBehaviorSanitizer, runs the
# whole test suite in that build, then runs each fuzzer from its seed corpus for a bounded time
# (QB_FUZZ_SECONDS, 60 by default). Any finding fails the run; a fuzzer's crashing input is
# kept in the build's fuzz-findings folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"
seconds=${QB_FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQB_SANITIZE=ON -DQB_FUZZ=ON >/dev/null
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp":print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The random user plays fewer actions here: the sanitizers slow every one of them.
(cd "$build" && QB_RANDOM_ACTIONS=20000 ctest --output-on-failure)

findings="$build/fuzz-findings"
mkdir -p "$findings"
for fuzzer in data_file text_value; do
    corpus="$build/fuzz-corpus/$fuzzer"
    mkdir -p "$corpus"
    cp -n "$root/fuzz/corpus/$fuzzer/"* "$corpus/"
    echo "fuzzing $fuzzer for ${seconds} s"
    "$build/fuzz/fuzz_$fuzzer" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$findings/$fuzzer-" "$corpus" 2>&1 |
        grep -E "^(stat::(number_of_executed_units|peak_rss_mb)|==[0-9]+==ERROR|SUMMARY)|Done [0-9]+ runs"
done
