#!/usr/bin/env bash
# Plays a whole match of the built game on a virtual X server with real key presses (xdotool):
# NEW GAME against the computer, one robot built from the lightest parts, dispatched facing
# north; then the human side looks at its action menu, aims its first attack (red range and
# orange area on the map), opens the status view and passes every turn, while the computer plays
# until it wins. The end screen, with the computer's last hit markers fading, leads back to the
# title, and QUIT ends the game. The game seeds from the clock, so every step is found by what the
# screen shows rather than counted. Screenshots of each step go into SCREENSHOT_DIR.
#   battle-end-to-end.sh GAME_DIR SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/end-to-end-support.sh"

# Pixels of a rectangle whose colour leans to one hue: blue, red, orange (red and green well
# above blue) or green.
count_where() {  # file rectangle fx-condition
  convert "$1" -crop "$2" +repage -fx "($3) ? 1 : 0" -format '%[fx:int(mean*w*h+0.5)]' info:
}
bluish='b > r + 0.3 && b > g + 0.3'
reddish='r > g + 0.3 && r > b + 0.3'
orangeish='r > b + 0.3 && g > b + 0.25 && g > 0.3'
greenish='g > r + 0.3 && g > b + 0.3'
# The second column below its header holds the action menu only in a human robot's menu.
menu_shown() { [ "$(brightest "$1" 180x140+212+560)" -ge 200 ]; }
# The end screen: the dark band across the middle with the result text on it.
# (The band is flat and dark where the map behind it, in this spot, is bright and varied.)
deviation() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*standard_deviation)]' info:; }
end_shown() {
  [ "$(mean "$1" 120x56+300+302)" -le 45 ] && [ "$(deviation "$1" 120x56+300+302)" -le 20 ] &&
    [ "$(brightest "$1" 160x34+420+313)" -ge 200 ]
}
# Holds a keypad key with Num Lock on: the camera's target slides while it is held.
pan() {  # key seconds
  xdotool key Num_Lock; sleep 0.3
  xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"
  sleep 0.3; xdotool key Num_Lock; sleep 0.5
}

# Title, NEW GAME, vs Computer with every limit as it is, the first map.
capture_when_bright "$shots/battle-e2e-title.png" 110x28+85+220
sleep 1
keys space
capture_when_bright "$shots/battle-e2e-rules.png" 100x30+12+5
keys space space space
sleep 1
keys space
capture_when_bright "$shots/battle-e2e-build.png" 80x30+12+5
sleep 1
# The first robot: the first (lightest) part of each of its six slots, then a pilot.
keys space
for _ in 1 2 3 4 5 6; do keys space space Down; done
keys space space Escape
sleep 1
import -window root "$shots/battle-e2e-built.png"
expect_at_least "check mark on the complete robot" "$(greenest "$shots/battle-e2e-built.png" 14x15+170+77)" 150

# Enter: the computer builds its squad and dispatch begins.
keys Return
capture_when_bright "$shots/battle-dispatch.png" 130x30+12+5
sleep 1
import -window root "$shots/battle-dispatch.png"
expect_at_least "DISPATCH title" "$(brightest "$shots/battle-dispatch.png" 130x30+12+5)" 200
expect_at_least "the robot in the list" "$(brightest "$shots/battle-dispatch.png" 180x30+12+70)" 200
# The camera starts over the middle of the map; keypad 2 slides it south over side 0's start zone,
# by as much as the frame rate allows: in short slides until the zone is in view.
for _ in $(seq 1 12); do
  pan KP_Down 0.5
  import -window root "$shots/battle-dispatch.png"
  if [ "$(count_where "$shots/battle-dispatch.png" 824x683+200+60 "$bluish")" -ge 300 ]; then break; fi
done
expect_at_least "blue start tiles on the map" "$(count_where "$shots/battle-dispatch.png" 824x683+200+60 "$bluish")" 300

# Placed on the first start tile, then the facing arrows; north, toward the enemy.
keys space space
import -window root "$shots/battle-dispatch-facing.png"
expect_at_least "green facing arrows" "$(count_where "$shots/battle-dispatch-facing.png" 824x683+200+60 "$greenish")" 100
keys Up space
keys Return
sleep 1

# Turns until the end screen: Space plays a computer robot or opens the human robot's menu.
seen_menu=0
ended=0
for turn in $(seq 1 400); do
  import -window root "$shots/battle-now.png"
  if end_shown "$shots/battle-now.png"; then ended=1; break; fi
  keys space
  import -window root "$shots/battle-now.png"
  if end_shown "$shots/battle-now.png"; then ended=1; break; fi
  if ! menu_shown "$shots/battle-now.png"; then continue; fi
  if [ "$seen_menu" -eq 0 ]; then
    seen_menu=1
    cp "$shots/battle-now.png" "$shots/battle-action-menu.png"
    expect_at_least "ACTIONS header" "$(brightest "$shots/battle-action-menu.png" 100x18+212+534)" 150
    expect_at_least "bright menu cursor" "$(mean "$shots/battle-action-menu.png" 7x16+200+569)" 40
    # ATTACK, the first component, its first attack: the range and area on the map.
    keys Down Down space space space
    import -window root "$shots/battle-target.png"
    expect_at_least "attack table" "$(brightest "$shots/battle-target.png" 200x30+412+560)" 150
    expect_at_least "red range tiles" "$(count_where "$shots/battle-target.png" 1024x533+0+0 "$reddish")" 100
    expect_at_least "orange area tile" "$(count_where "$shots/battle-target.png" 1024x533+0+0 "$orangeish")" 30
    keys Escape Escape Escape
    # STATUS: the robot alone in its own view.
    keys Up Up Up Up Up Up Down Down Down Down space
    sleep 1
    import -window root "$shots/battle-status.png"
    expect_at_least "VIEW COMPONENT header" "$(brightest "$shots/battle-status.png" 150x18+612+41)" 150
    expect_at_least "the robot in the status view" "$(count_where "$shots/battle-status.png" 424x600+600+80 'r + g + b > 0.3')" 500
    expect_at_most "nothing of the map left of the view" "$(mean "$shots/battle-status.png" 180x300+410+400)" 40
    keys Escape
  fi
  # END TURN.
  keys Up Up Up Up Up Up Down Down Down Down Down space
done
if [ "$ended" -ne 1 ]; then echo "FAIL: no end screen"; fail=1; fi
if [ "$seen_menu" -ne 1 ]; then echo "FAIL: the human robot's menu never showed"; fail=1; fi

# The end screen at once, with the computer's last hit markers, and after they faded.
cp "$shots/battle-now.png" "$shots/battle-end.png"
sleep 3.5
import -window root "$shots/battle-end-faded.png"
expect_at_least "DEFEAT" "$(brightest "$shots/battle-end.png" 120x34+460+313)" 200
expect_at_least "hit markers faded from the map" \
  "$(compare -metric AE -fuzz 20% "$shots/battle-end.png" "$shots/battle-end-faded.png" null: 2>&1 || true)" 20

# Space: back to a fresh title menu, then QUIT.
keys space
capture_when_bright "$shots/battle-e2e-title-again.png" 110x28+85+220
expect_at_least "NEW GAME again" "$(brightest "$shots/battle-e2e-title-again.png" 110x28+85+220)" 200
keys Down Down space
expect_quit_with_status_0
rm -f "$shots/battle-now.png"
finish
