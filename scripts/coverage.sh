#!/usr/bin/env bash
# Line coverage of src/ by every test the normal build's ctest runs (the display tests under a
# virtual X server, as in scripts/test.sh), from an instrumented build of its own in
# build-coverage/. Prints "coverage: src/ lines P% (L of N)" last; fails when a test fails.
#   bash scripts/coverage.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
out=build-coverage

# -O0 so each line counts as written.
cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_C_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage
cmake --build "$out" -j"$jobs"
lcov --quiet --zerocounters --directory "$out"

status=0
(cd "$out" && ctest --output-on-failure -j"$jobs") || status=$?

lcov --quiet --capture --directory "$out" --output-file "$out/all.info" 2>/dev/null
lcov --quiet --extract "$out/all.info" "$PWD/src/*" --output-file "$out/src.info"
summary=$(lcov --summary "$out/src.info" 2>&1 | grep -m1 'lines')
read -r percent covered total < <(sed -E 's/.*: ([0-9.]+)% \(([0-9]+) of ([0-9]+) lines\).*/\1 \2 \3/' <<<"$summary")
if [ "$status" -ne 0 ]; then
  echo "coverage: some tests failed (ctest status $status); the figure below counts what ran"
fi
echo "coverage: src/ lines $percent% ($covered of $total)"
exit "$status"
