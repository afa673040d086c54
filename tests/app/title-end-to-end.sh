#!/usr/bin/env bash
# Starts build/game/gearward on a virtual X server, plays the title menu with real key presses
# (xdotool), captures the title and credits pages (import) and checks their pixels, then chooses
# QUIT and expects exit status 0.
#   title-end-to-end.sh GAME_DIR SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/end-to-end-support.sh"

# Loading takes a while; the title shows once "NEW GAME" does.
capture_when_bright "$shots/title.png" 110x28+85+220
sleep 1
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
expect_quit_with_status_0
finish
