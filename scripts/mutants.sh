#!/usr/bin/env bash
# How many small faults put into src/ the headless tests catch: a fixed sample of mutations from a
# seed, each built and tested alone in a scratch copy (scripts/mutants.py says how).
#   bash scripts/mutants.sh [--seed S] [--count N] [--timeout SECONDS] [--out FILE] [--revision REV]
#                           [--scratch DIR] [--every-failure] [--list]
# The last line reads "mutants N killed K survived S timed-out T unbuildable U minutes M"; every
# survivor is listed above it with its file, line and mutation; --out writes one line per mutant,
# so two runs on the same seed compare with diff; --revision REV tests a commit's tree (the suite
# before a change) instead of the working tree; --every-failure names every test that fails on each
# mutant instead of the first (which tests alone kill a mutant, before any is cut). 100 mutants
# took 37 minutes on 2 shared cores; the scratch copy and its build (build-mutants/, or
# --scratch DIR) are kept, so a second run rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec python3 scripts/mutants.py "$@"
