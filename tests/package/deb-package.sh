#!/usr/bin/env bash
# Makes the .deb from a built tree with CPack into SCRATCH_DIR, checks it (check-deb.sh) and
# removes SCRATCH_DIR again.
#   deb-package.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$(realpath "$1")
scratch=$(realpath -m "$2")
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  exit 1
fi
bash "$(dirname "$0")/check-deb.sh" "$scratch"/gearward-arc_*.deb
