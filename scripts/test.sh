#!/usr/bin/env bash
# Builds everything, benchmarks included, and runs every test (the check of
# the installed tree among them), then runs the engine's and the windows'
# tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, then
# each fuzz harness for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
export QT_QPA_PLATFORM=offscreen
JOBS=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTICKWELL_BENCH=ON
cmake --build build --parallel "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

# The engine's and the windows' tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, built with clang at -O1 (enough for readable
# reports, much quicker to run than -O0). No benchmark or program is built.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTICKWELL_TESTED_LIBRARIES_ONLY=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake --build build-asan --parallel "$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS"

scripts/fuzz.sh 20
