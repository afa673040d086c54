#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them for a number of seconds.
#   bash scripts/fuzz.sh NAME SECONDS     e.g. bash scripts/fuzz.sh StorageFuzzer 60
# The corpus lives in fuzz-build/corpus/NAME, seeded from the fixtures named in fuzz/NAME.seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: fuzz.sh NAME SECONDS}
seconds=${2:-60}
CC=clang CXX=clang++ cmake -S . -B fuzz-build -DGEARWARD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build fuzz-build -j"$(nproc)" --target "$name"
corpus=fuzz-build/corpus/$name
mkdir -p "$corpus"
if [ -f "fuzz/$name.seeds" ]; then
  while read -r pattern; do
    [ -n "$pattern" ] || continue
    for f in $pattern; do [ -f "$f" ] && cp -n "$f" "$corpus/" ; done
  done < "fuzz/$name.seeds"
fi
exec "fuzz-build/fuzz/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=262144 "$corpus"
