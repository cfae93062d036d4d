#!/usr/bin/env bash
# Builds the modelling-results fuzzer with clang into build-fuzz and runs it
# for FUZZ_SECONDS (60 by default) over a copy of the seed corpus. Fails on
# any crash, sanitizer report or broken invariant.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${FUZZ_BUILD_DIR:-build-fuzz}"
SECONDS_TO_RUN="${FUZZ_SECONDS:-60}"

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DENABLE_FUZZING=ON -DVT_BUILD_TESTS=OFF -DVT_BUILD_BENCH=OFF
# Only the fuzz target and the plain C++ libraries it links are built.
cmake --build "$BUILD_DIR" --target fuzz_loader -j "${FUZZ_JOBS:-2}"

work="$BUILD_DIR/fuzz-corpus"
mkdir -p "$work" "$BUILD_DIR/fuzz-findings"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$BUILD_DIR/fuzz/fuzz_loader" -max_total_time="$SECONDS_TO_RUN" -rss_limit_mb=2048 \
  -max_len=65536 -artifact_prefix="$BUILD_DIR/fuzz-findings/" "$work" fuzz/corpus
