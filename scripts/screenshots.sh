#!/usr/bin/env bash
# Plays the built game on a virtual X server with real key presses and saves a screenshot of every
# screen a player meets into docs/images/playing/, for the player's guide (docs/playing.md): the
# title and credits, the rules pages, the build screen's lists, deployment, a robot's action menu
# with its move, attack, delay and status views, and the end of a match (the computer wins while
# the human side passes). Build first (bash scripts/run.sh or cmake --build build); run again
# after the screens or the maps change.
#   bash scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
export LIBGL_ALWAYS_SOFTWARE=1 SDL_VIDEODRIVER=x11
source "$(dirname "$0")/../tests/app/virtual-display.sh"
build=$(realpath "${1:-build}")
cd "$(dirname "$0")/.."
root=$PWD
out=$root/docs/images/playing
raw=$(mktemp -d)
set -- "$build/game" "$raw"
source "$root/tests/app/end-to-end-support.sh"
trap 'cleanup; rm -rf "$raw"' EXIT
mkdir -p "$out"

# The screen now, three quarters of its size in 256 colours (half the bytes, no visible loss),
# with no time stamp in the file.
shot() {  # name
  sleep 1
  import -window root "$raw/$1.png"
  convert "$raw/$1.png" -resize 75% -dither FloydSteinberg -colors 256 -strip \
    -define png:exclude-chunks=date,time "PNG8:$out/$1.png"
  echo "saved $1.png"
}
bluish='b > r + 0.3 && b > g + 0.3'
count_where() {  # file rectangle fx-condition
  convert "$1" -crop "$2" +repage -fx "($3) ? 1 : 0" -format '%[fx:int(mean*w*h+0.5)]' info:
}
menu_shown() { [ "$(brightest "$1" 180x140+212+560)" -ge 200 ]; }
deviation() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*standard_deviation)]' info:; }
end_shown() {
  [ "$(mean "$1" 120x56+300+302)" -le 45 ] && [ "$(deviation "$1" 120x56+300+302)" -le 20 ] &&
    [ "$(brightest "$1" 160x34+420+313)" -ge 200 ]
}
pan() {  # keypad key, seconds: slides the camera with Num Lock on
  xdotool key Num_Lock; sleep 0.3
  xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"
  sleep 0.3; xdotool key Num_Lock; sleep 0.5
}

capture_when_bright "$raw/wait.png" 110x28+85+220
shot title
keys Down space
shot credits
keys Escape Up
# NEW GAME: the opponent, both sides' limits, the map with its preview.
keys space
capture_when_bright "$raw/wait.png" 100x30+12+5
shot rules-opponent
keys space
shot rules-limits
keys space space
sleep 2
shot rules-map
keys space
capture_when_bright "$raw/wait.png" 80x30+12+5
shot build-squad
# The first robot: its slots, the list of one slot's parts, then the lightest part of every slot.
keys space
shot build-robot
keys space
shot build-components
keys space Down
for _ in 2 3 4 5 6; do keys space space Down; done
keys space
shot build-pilots
keys space Escape
shot build-done

# Enter: the computer builds its squad; deployment, with the camera slid over side 0's tiles.
keys Return
capture_when_bright "$raw/wait.png" 130x30+12+5
for _ in $(seq 1 20); do
  import -window root "$raw/now.png"
  if [ "$(count_where "$raw/now.png" 824x683+200+60 "$bluish")" -ge 3000 ]; then break; fi
  pan KP_Down 0.5
done
shot dispatch
keys space space
shot dispatch-facing
keys Up space Return
shot battle-turn

# Turns until the end: the human robot's first turn shows its views, then every turn is passed.
seen_menu=0
for _ in $(seq 1 400); do
  import -window root "$raw/now.png"
  if end_shown "$raw/now.png"; then break; fi
  keys space
  import -window root "$raw/now.png"
  if end_shown "$raw/now.png"; then break; fi
  if ! menu_shown "$raw/now.png"; then continue; fi
  if [ "$seen_menu" -eq 0 ]; then
    seen_menu=1
    shot battle-actions
    keys space
    shot battle-move
    keys Escape Down Down space space space Up Up
    shot battle-attack
    keys Escape Escape Escape Down space Right Right Right Right
    shot battle-delay
    keys Escape Down space
    shot battle-status
    keys Escape
  fi
  keys Up Up Up Up Up Up Down Down Down Down Down space
done
import -window root "$raw/now.png"
end_shown "$raw/now.png" || { echo "screenshots: the match did not end" >&2; exit 1; }
shot battle-end
keys space
capture_when_bright "$raw/wait.png" 110x28+85+220
keys Down Down space
expect_quit_with_status_0
ls -l "$out"
