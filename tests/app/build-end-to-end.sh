#!/usr/bin/env bash
# Starts build/game/gearward on a virtual X server and plays from the title to the battle with
# real key presses (xdotool): NEW GAME, the four rules pages against the computer, then one robot
# built with the lightest part in each of its six slots and a pilot, and Enter. Captures the
# rules page 3 preview, the robot list, an equip list with its arrows and the pilot list (import)
# and checks their pixels; then leaves the battle for the title and chooses QUIT.
#   build-end-to-end.sh GAME_DIR SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/end-to-end-support.sh"

# The title, then NEW GAME: the rules screen's opponent page.
capture_when_bright "$shots/e2e-title.png" 110x28+85+220
sleep 1
keys space
capture_when_bright "$shots/rules-opponent.png" 100x30+12+5
expect_at_least "RULES title" "$(brightest "$shots/rules-opponent.png" 100x30+12+5)" 200
expect_at_least "vs Computer" "$(brightest "$shots/rules-opponent.png" 100x24+12+72)" 200

# vs Computer, both sides' limits as they are, the map page.
keys space space space
capture_when_bright "$shots/rules-map.png" 150x30+212+70
sleep 1
xdotool key --delay 150 KP_Left   # keypad 4 turns the preview
sleep 0.5
import -window root "$shots/rules-map.png"
expect_at_least "first map name" "$(brightest "$shots/rules-map.png" 150x30+212+70)" 200
expect_at_least "map cursor" "$(mean "$shots/rules-map.png" 7x16+200+79)" 40
expect_at_least "a map in the preview" "$(mean "$shots/rules-map.png" 600x600+410+60)" 10
expect_at_least "COMPUTER LIMITS header" "$(brightest "$shots/rules-map.png" 150x18+12+401)" 150

# The build screen's robot list.
keys space
capture_when_bright "$shots/build-robots.png" 80x30+12+5
sleep 1
import -window root "$shots/build-robots.png"
expect_at_least "BUILD title" "$(brightest "$shots/build-robots.png" 80x30+12+5)" 200
expect_at_least "ROBOTS header" "$(brightest "$shots/build-robots.png" 60x18+12+41)" 150
expect_at_least "first robot's name" "$(brightest "$shots/build-robots.png" 150x30+12+70)" 200
expect_at_least "SQUAD STATISTICS header" "$(brightest "$shots/build-robots.png" 120x18+212+364)" 150
expect_at_most "no check mark yet" "$(greenest "$shots/build-robots.png" 14x15+170+77)" 60

# The robot view; the head slot gets the lightest head, then its list shows the next one with
# arrows beside the numbers it would raise.
keys space
keys space space
keys space Down
sleep 1
import -window root "$shots/build-equip.png"
expect_at_least "EQUIP COMPONENT header" "$(brightest "$shots/build-equip.png" 120x18+212+41)" 150
expect_at_least "HEAD caption" "$(brightest "$shots/build-equip.png" 50x16+212+70)" 150
expect_at_least "arrow beside Health" "$(brightest "$shots/build-equip.png" 15x12+70+77)" 100
expect_at_least "arrow beside the squad weight" "$(brightest "$shots/build-equip.png" 15x12+70+397)" 100
expect_at_least "dark cursor on the equipped head" "$(mean "$shots/build-equip.png" 7x16+200+91)" 20
keys Escape

# The other five slots, each with its lightest part.
for _ in 1 2 3 4 5; do keys Down space space; done
keys Down space
sleep 1
import -window root "$shots/build-pilots.png"
expect_at_least "ASSIGN PILOT header" "$(brightest "$shots/build-pilots.png" 100x18+212+41)" 150
expect_at_least "first pilot" "$(brightest "$shots/build-pilots.png" 150x30+212+85)" 200
keys space Escape
sleep 1
import -window root "$shots/build-complete.png"
expect_at_least "check mark on the complete robot" "$(greenest "$shots/build-complete.png" 14x15+170+77)" 150
expect_at_least "Enter hint" "$(brightest "$shots/build-complete.png" 400x25+500+743)" 150

# Enter: the computer builds its squad and the battle begins.
keys Return
for _ in $(seq 1 120); do
  import -window root "$shots/battle.png"
  if [ "$(differing "$shots/build-complete.png" "$shots/battle.png")" -gt 100000 ]; then break; fi
  sleep 0.5
done
expect_at_least "the build screen has given way to the battle" \
  "$(differing "$shots/build-complete.png" "$shots/battle.png")" 100000

# Escape to the title's in-game menu, then QUIT.
keys Escape
capture_when_bright "$shots/e2e-title-again.png" 110x28+85+220
keys Down Down space
expect_quit_with_status_0
finish
