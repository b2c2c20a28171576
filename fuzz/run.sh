#!/usr/bin/env bash
# Builds the evaluator fuzzer with clang and runs it for the given number of seconds
# (default 60) on a copy of the committed seed corpus.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANTA_BUILD_FUZZ=ON -DORVANTA_BUILD_TESTS=OFF -DORVANTA_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" -j2 eval_fuzz

work="$build/fuzz-corpus"
mkdir -p "$work"
cp -n "$root"/fuzz/corpus/* "$work"/ 2>/dev/null || true

# Leaks in Qt's own start-up caches are not ours to chase here.
ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}" \
    "$build/bin/eval_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=4096 -artifact_prefix="$build/" "$work"
