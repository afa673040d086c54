#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them, or all in turn, for a number of
# seconds each:
#   bash scripts/fuzz.sh NAME SECONDS     e.g. bash scripts/fuzz.sh StorageFuzzer 60
#   bash scripts/fuzz.sh all SECONDS      every fuzz/*Fuzzer.cpp (the test command runs this)
# The corpus lives in fuzz-build/corpus/NAME, seeded from the files named in fuzz/NAME.seeds (some
# are in the normal build's game folder, build/game). A crash stops the run with a non-zero status
# and leaves the input in fuzz-build/crash-*. The game's own console lines are closed at the file
# descriptor level (-close_fd_mask=3), so the log holds only the fuzzer's lines and its reports.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: fuzz.sh NAME|all SECONDS}
seconds=${2:-60}

if [ "$name" = all ]; then
  targets=()
  for source in fuzz/*Fuzzer.cpp; do targets+=("$(basename "$source" .cpp)"); done
else
  targets=("$name")
fi

CC=clang CXX=clang++ cmake -S . -B fuzz-build -DGEARWARD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build fuzz-build -j"$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
  corpus=fuzz-build/corpus/$target
  mkdir -p "$corpus"
  if [ -f "fuzz/$target.seeds" ]; then
    while read -r pattern; do
      [ -n "$pattern" ] || continue
      for f in $pattern; do [ -f "$f" ] && cp -n "$f" "$corpus/"; done
    done < "fuzz/$target.seeds"
  fi
  echo "fuzz: $target for $seconds s"
  # The coverage lines of every new input and the suggested dictionary are left out.
  set +e
  "fuzz-build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=262144 \
    -close_fd_mask=3 -artifact_prefix=fuzz-build/ -print_final_stats=0 "$corpus" 2>&1 |
    grep -v -E '^#[0-9]+\s+(NEW|REDUCE|pulse)|^\s+NEW_FUNC|^"|^###### '
  status=${PIPESTATUS[0]}
  set -e
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $target failed with status $status"
    exit 1
  fi
done
