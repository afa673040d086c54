#!/usr/bin/env bash
# Starts build/game/gearward on a virtual X server, plays the title menu with real key presses
# (xdotool), captures the title and credits pages (import) and checks their pixels, then chooses
# QUIT and expects exit status 0.
#   title-end-to-end.sh GAME_DIR SCREENSHOT_DIR
set -euo pipefail
game_dir=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"

# The game's own memory is leak-checked in-process by the display tests (runGame there keeps the
# graphics driver loaded). Run from outside, the game unloads the Mesa driver when it closes its
# window, and the driver's process-wide allocations then come from an unknown module that no
# suppression can name; so these outside runs check behaviour and memory errors, not leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

if [ -z "${GEARWARD_E2E_INNER:-}" ]; then
  export GEARWARD_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi

log=$(mktemp)
cleanup() {
  if [ -n "${game_pid:-}" ] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid"; fi
  rm -f "$log"
}
trap cleanup EXIT

cd "$game_dir"
./gearward >"$log" 2>&1 &
game_pid=$!

# Wait for the window, then for the title to settle.
for _ in $(seq 1 100); do
  if xdotool search --name "Gearward Arc" >/dev/null 2>&1; then break; fi
  sleep 0.2
done
xdotool search --name "Gearward Arc" >/dev/null || { echo "no game window"; cat "$log"; exit 1; }

fail=0
# Brightest red channel (0..255) of a screen rectangle WxH+X+Y.
brightest() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima.r)]' info:; }
mean() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*mean)]' info:; }
# Captures the screen into FILE until the rectangle is bright (the page has appeared) or 60 s pass.
capture_when_bright() {  # file rectangle
  for _ in $(seq 1 120); do
    import -window root "$1"
    if [ "$(brightest "$1" "$2")" -ge 200 ]; then return 0; fi
    sleep 0.5
  done
  return 0
}

# Loading takes a while; the title shows once "NEW GAME" does.
capture_when_bright "$shots/title.png" 110x28+85+220
sleep 1
expect_at_least() {  # what value minimum
  if [ "$2" -lt "$3" ]; then echo "FAIL: $1: $2 < $3"; fail=1; else echo "ok: $1 ($2)"; fi
}
expect_at_most() {
  if [ "$2" -gt "$3" ]; then echo "FAIL: $1: $2 > $3"; fail=1; else echo "ok: $1 ($2)"; fi
}

import -window root "$shots/title.png"
expect_at_least "NEW GAME label" "$(brightest "$shots/title.png" 110x28+85+220)" 200
expect_at_least "QUIT label" "$(brightest "$shots/title.png" 60x28+85+330)" 200
cursor=$(mean "$shots/title.png" 7x16+72+226)
column=$(mean "$shots/title.png" 7x16+72+400)
expect_at_least "cursor on NEW GAME brighter than the column" "$cursor" $((column + 20))

# The keypad turns the backdrop camera (KP_Left is keypad 4 with Num Lock off).
xdotool key --delay 200 KP_Left KP_Up
sleep 0.5

xdotool key --delay 200 Down space
capture_when_bright "$shots/credits.png" 100x30+12+5
sleep 1
import -window root "$shots/credits.png"
expect_at_least "CREDITS title" "$(brightest "$shots/credits.png" 100x30+12+5)" 200
expect_at_least "DESIGN header" "$(brightest "$shots/credits.png" 60x20+12+40)" 150
expect_at_most "no menu on the credits page" "$(brightest "$shots/credits.png" 100x28+85+220)" 199

xdotool key --delay 200 Escape
capture_when_bright "$shots/title-again.png" 110x28+85+220
sleep 1
import -window root "$shots/title-again.png"
cursor=$(mean "$shots/title-again.png" 7x16+72+281)
expect_at_least "cursor back on CREDITS" "$cursor" $((column + 20))

# QUIT: Down to the third entry, Space.
xdotool key --delay 200 Down space
status=0
for _ in $(seq 1 150); do
  if ! kill -0 "$game_pid" 2>/dev/null; then break; fi
  sleep 0.2
done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "FAIL: the game did not quit"; fail=1
else
  wait "$game_pid" || status=$?
  game_pid=
  if [ "$status" -ne 0 ]; then echo "FAIL: exit status $status"; fail=1; else echo "ok: exit status 0"; fi
fi
echo "--- game output"
cat "$log"
echo "--- screenshots in $shots"
exit $fail
