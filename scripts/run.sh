#!/usr/bin/env bash
# Sets up, builds everything and starts the game from its own directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ ! -x build/game/gearward ]; then
  echo "run: the game binary build/game/gearward is not built yet; the content and tools are in build/" >&2
  exit 1
fi
cd build/game
exec ./gearward
