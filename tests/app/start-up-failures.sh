#!/usr/bin/env bash
# The game in copies of its folder with a data file taken away:
#  - without a usable video device: "Error: Couldn't initialize SDL: " or "Error: Couldn't set
#    video mode: " on standard error and status 1;
#  - without shader.vsh the first model's extension set-up stops the game with status 1 and
#    "Error: Shader file not read" (after its "OK: " lines);
#  - with shader.vsh a folder, or a 2 GiB sparse file, the same line and status, after a line
#    saying why (the size and the limit for the large one);
#  - without one material texture the model reports "img not loaded" and the game plays on
#    to the title, where QUIT ends it with status 0;
#  - with a model file replaced by a folder, that model reports one "FAIL: " line and the game
#    plays on to the title in the same way;
#  - with data.db a 2 GiB sparse file, one "FAIL: data.db: too large: " line naming the limit
#    before anything is read, and the game plays on (with nothing loaded) to the title in the
#    same way;
#   start-up-failures.sh GAME_DIR
set -euo pipefail
game_dir=$(realpath "$1")

source "$(dirname "$0")/virtual-display.sh"

if [ ! -f "$game_dir/data.db" ]; then
  echo "FAIL: $game_dir/data.db is not built"; exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

copy_game() {
  rm -rf "$work/game"
  cp -r "$game_dir" "$work/game"
}

# 0. No video device, and a video driver without OpenGL: the "Error: " line and status 1.
expect_error() {  # driver expected-line
  local status=0
  (cd "$game_dir" && SDL_VIDEODRIVER="$1" timeout 60 ./gearward >"$work/out" 2>"$work/err") || status=$?
  if [ "$status" -ne 1 ]; then echo "FAIL: with video driver $1 the status is $status, not 1"; fail=1; fi
  if ! grep -q "^$2" "$work/err"; then echo "FAIL: with video driver $1 no line '$2'"; fail=1; fi
  echo "--- video driver $1 (status $status):"; cat "$work/err"
}
expect_error nosuch "Error: Couldn't initialize SDL: "
expect_error dummy "Error: Couldn't set video mode: "

# 1. No shader.vsh, then a folder in its place.
expect_shader_error() {  # description
  local status=0
  (cd "$work/game" && timeout 60 ./gearward >"$work/out" 2>"$work/err") || status=$?
  if [ "$status" -ne 1 ]; then echo "FAIL: $1: the status is $status, not 1"; fail=1; fi
  if ! grep -qx "Error: Shader file not read" "$work/out"; then echo "FAIL: $1: no shader error line"; fail=1; fi
  if ! grep -qx "OK: All GL_ARB_vertex_program functions defined" "$work/out"; then
    echo "FAIL: $1: the extension checks did not report before the shader"; fail=1
  fi
  echo "--- $1 (status $status):"; cat "$work/out"
}
copy_game
rm -f "$work/game/shader.vsh"
expect_shader_error "without shader.vsh"
mkdir "$work/game/shader.vsh"
expect_shader_error "shader.vsh a folder"
rmdir "$work/game/shader.vsh"
truncate -s 2G "$work/game/shader.vsh"
expect_shader_error "shader.vsh of 2 GiB"
if ! grep -qx "shader.vsh: too large: 2 GiB, more than the 64 KiB the vertex program may have" "$work/out"; then
  echo "FAIL: shader.vsh of 2 GiB: no line giving the size and the limit"; fail=1
fi

# Starts the game in the copy, waits for its window, chooses QUIT on the title menu and sets
# `status` to the exit status.
quit_from_title() {
  (cd "$work/game" && ./gearward >"$work/out" 2>"$work/err") &
  local pid=$!
  for _ in $(seq 1 100); do
    if xdotool search --name "Gearward Arc" >/dev/null 2>&1; then break; fi
    sleep 0.2
  done
  # Keys pressed while the data loads wait in the queue for the title menu.
  sleep 1
  xdotool key --delay 200 Down Down space
  status=0
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "FAIL: the game did not quit"; fail=1; fi
  wait "$pid" || status=$?
}

# 2. One material texture missing: reported, and play goes on to the title and QUIT.
copy_game
texture=$(cd "$work/game" && find textures -type f ! -name 'UI*' ! -name 'Searchlight*' | sort | head -n 1)
if [ -z "$texture" ]; then echo "FAIL: no material textures in the game folder"; exit 1; fi
rm -f "$work/game/$texture"
quit_from_title
if [ "$status" -ne 0 ]; then echo "FAIL: without $texture the status is $status"; fail=1; fi
if ! grep -q "^img not loaded: .*$(basename "$texture")" "$work/out"; then
  echo "FAIL: no 'img not loaded' line for $texture"; fail=1
fi
echo "--- without $texture (status $status):"; cat "$work/out"

# 3. A model file replaced by a folder of the same name: one line, and play goes on.
copy_game
model=$(cd "$work/game" && find models -name '*.ms3d' -type f | sort | head -n 1)
if [ -z "$model" ]; then echo "FAIL: no model files in the game folder"; exit 1; fi
rm -f "$work/game/$model"
mkdir "$work/game/$model"
quit_from_title
if [ "$status" -ne 0 ]; then echo "FAIL: with $model a folder the status is $status"; fail=1; fi
if [ "$(grep -c "^FAIL: failed to read model file \"$model\": " "$work/err")" -ne 1 ]; then
  echo "FAIL: no single 'failed to read model file' line for $model"; fail=1
fi
echo "--- $model a folder (status $status):"; cat "$work/err"

# 4. data.db far too large: refused by its size alone, one line, and play goes on.
copy_game
rm -f "$work/game/data.db"
truncate -s 2G "$work/game/data.db"
quit_from_title
if [ "$status" -ne 0 ]; then echo "FAIL: with a 2 GiB data.db the status is $status"; fail=1; fi
if [ "$(grep -c "^FAIL: data.db: too large: 2 GiB, more than the 64 MiB a game database may have$" \
        "$work/err")" -ne 1 ]; then
  echo "FAIL: no single 'data.db: too large' line"; fail=1
fi
echo "--- data.db of 2 GiB (status $status):"; cat "$work/err"

exit $fail
