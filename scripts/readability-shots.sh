#!/usr/bin/env bash
# Screenshots of the screens whose texts, cursors and models were fitted: rules page 1 with the
# weight entry, the robot view of a complete robot, an equip list with its preview arrows, the
# pilot list and the battle's attack table. Plays the built game on a virtual X server with real
# keys (xdotool), as a new player would, and captures with import.
#   bash scripts/readability-shots.sh GAME_DIR OUT_DIR
set -euo pipefail
if [ -z "${GEARWARD_SHOTS_INNER:-}" ]; then
  export GEARWARD_SHOTS_INNER=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi
game_dir=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
export LIBGL_ALWAYS_SOFTWARE=1 SDL_VIDEODRIVER=x11

cd "$game_dir"
./gearward >/dev/null 2>&1 &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  if xdotool search --name "Gearward Arc" >/dev/null 2>&1; then break; fi
  sleep 0.2
done

keys() { xdotool key --delay 150 "$@"; sleep 0.6; }
brightest() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima.r)]' info:; }
shot() { sleep 1; import -window root "$out/$1"; }
wait_bright() {  # rectangle: until the screen shows something bright there
  for _ in $(seq 1 120); do
    import -window root "$out/.wait.png"
    if [ "$(brightest "$out/.wait.png" "$1")" -ge 200 ]; then break; fi
    sleep 0.5
  done
  rm -f "$out/.wait.png"
}

wait_bright 110x28+85+220          # the title menu
keys space                         # NEW GAME
wait_bright 100x30+12+5
keys space Down                    # vs Computer; the weight entry of the player's limits
shot rules-page1.png
keys space space space             # both sides' limits as they are; the first map
wait_bright 80x30+12+5             # the build screen

# The first robot: the lightest part in every slot, then the first pilot; the robot view shows it
# whole with the cursor on its left arm.
keys space
for _ in 1 2 3 4 5 6; do keys space space Down; done
keys space space
keys Up Up Up Up
shot robot-view.png
keys space Down Down               # the left arm list, a heavier arm highlighted
shot equip-preview.png
keys Escape Down Down Down Down space Down Down
shot pilot-list.png
keys Escape Escape Return          # back to the list; the computer builds; dispatch
wait_bright 130x30+12+5
sleep 1
keys space space Up space Return   # the first start tile, facing north; the battle begins

# Space plays the computer's robots until the human robot's menu shows; then ATTACK and its first
# component: the attack table.
for _ in $(seq 1 60); do
  import -window root "$out/.now.png"
  if [ "$(brightest "$out/.now.png" 180x140+212+560)" -ge 200 ]; then break; fi
  keys space
done
rm -f "$out/.now.png"
keys Down Down space
shot attack-table.png
