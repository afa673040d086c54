#!/usr/bin/env bash
# The layer check itself: on small planted trees it passes the includes the layers allow and
# names every one they forbid, so a check that silently passes everything cannot go unnoticed.
set -u
check=$(dirname "$0")/check-layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

plant() {   # plant FILE TEXT...: one file of the planted tree, one line per argument
  mkdir -p "$work/src/$(dirname "$1")"
  local file=$1
  shift
  printf '%s\n' "$@" > "$work/src/$file"
}

expect() {   # expect STATUS PATTERN: the check's exit status, and a line of its output
  bash "$check" "$work/src" > "$work/out"
  local status=$?
  if [ "$status" -ne "$1" ]; then
    echo "FAIL: exit status $status, wanted $1"; cat "$work/out"; fail=1
  elif [ -n "$2" ] && ! grep -q -- "$2" "$work/out"; then
    echo "FAIL: no line matching '$2'"; cat "$work/out"; fail=1
  fi
}

# Downward includes, system headers and a folder's own files all pass.
plant storage/Reader.h '#pragma once' '#include <string>'
plant gfx/Picture.h '#pragma once' '#include "storage/Reader.h"' '#include <SDL/SDL.h>'
plant data/Record.cpp '#include "data/Record.h"' '#include "gfx/Picture.h"' '#include "storage/Reader.h"'
plant ai/Opponent.cpp '#include "data/Record.h"'
plant battle/Screen.cpp '#include "ai/Opponent.h"' '#include "gfx/Picture.h"'
plant app/Loop.cpp '#include "battle/Screen.h"' '#include "setup/Rules.h"' '#include "build/Squad.h"'
plant pipeline/Compiler.cpp '#include "data/Record.h"' '#include "storage/Reader.h"'
expect 0 ""

# Upward: the graphics layer reaching into the records, even spelt with spaces.
plant gfx/Picture.cpp '#include "gfx/Picture.h"' '  #  include "data/Record.h"'
expect 1 'gfx/Picture.cpp:2: gfx/ includes data/Record.h'
rm "$work/src/gfx/Picture.cpp"

# The records' folder constructing the computer player: the cycle data -> ai -> data.
plant data/Match.cpp '#include "ai/Opponent.h"'
expect 1 'data/Match.cpp:1: data/ includes ai/Opponent.h'
rm "$work/src/data/Match.cpp"

# The game's code pulling in the tools' pipeline, in angle brackets.
plant data/Load.cpp '#include <pipeline/Compiler.h>'
expect 1 'data/Load.cpp:1: data/ includes pipeline/Compiler.h'
rm "$work/src/data/Load.cpp"

# Sideways: one screen including another.
plant setup/Rules.cpp '#include "battle/Screen.h"'
expect 1 'setup/Rules.cpp:1: setup/ includes battle/Screen.h'
rm "$work/src/setup/Rules.cpp"

# Includes the check cannot place, and a folder that belongs to no layer.
plant ai/Path.cpp '#include "../data/Record.h"'
expect 1 'ai/Path.cpp:1: includes "../data/Record.h"'
rm "$work/src/ai/Path.cpp"
plant sound/Mixer.cpp '#include "gfx/Picture.h"'
expect 1 'sound/Mixer.cpp: folder sound/ is in no layer'
rm -r "$work/src/sound"

expect 0 ""
exit $fail
