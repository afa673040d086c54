#!/usr/bin/env bash
# Sets up, builds and runs every test twice: a normal build, then an AddressSanitizer +
# UndefinedBehaviorSanitizer build in which any sanitizer report fails the run. Between the two,
# every fuzz target is built and run for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# Every libFuzzer target, built with clang, runs 30 seconds from its seeds; a crash fails the run.
bash scripts/fuzz.sh all 30

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEARWARD_SANITIZE=ON
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j"$jobs")
