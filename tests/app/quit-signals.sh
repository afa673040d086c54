#!/usr/bin/env bash
# The game asked to quit from outside, as a terminal does: SIGTERM, and SIGINT (Ctrl+C), sent to
# the running game on its title page. Each must end it as "QUIT" does, with status 0.
#   quit-signals.sh GAME_DIR
set -euo pipefail
game_dir=$(realpath "$1")

source "$(dirname "$0")/virtual-display.sh"

# Job control: a background game keeps SIGINT's default action, as a game started from a
# terminal does (without it, the shell starts background jobs with SIGINT ignored).
set -m

log=$(mktemp)
shot=$(mktemp --suffix=.png)
game_pid=
cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill -KILL "$game_pid"; fi
  rm -f "$log" "$shot"
}
trap cleanup EXIT
cd "$game_dir"

fail=0
brightest() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima.r)]' info:; }

quit_with() {  # signal
  ./gearward >"$log" 2>&1 &
  game_pid=$!
  # Wait for the title: "NEW GAME" shows once loading is over.
  local shown=0
  for _ in $(seq 1 240); do
    if xdotool search --name "Gearward Arc" >/dev/null 2>&1; then
      import -window root "$shot" 2>/dev/null || true
      if [ -s "$shot" ] && [ "$(brightest "$shot" 110x28+85+220)" -ge 200 ]; then shown=1; break; fi
    fi
    sleep 0.25
  done
  if [ "$shown" -ne 1 ]; then
    echo "FAIL: SIG$1: the title never showed"; cat "$log"; fail=1; return
  fi

  kill -"$1" "$game_pid"
  local status=0
  for _ in $(seq 1 100); do
    if ! kill -0 "$game_pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if kill -0 "$game_pid" 2>/dev/null; then
    echo "FAIL: SIG$1: the game is still running 10 s later"; fail=1
    kill -KILL "$game_pid"; wait "$game_pid" 2>/dev/null || true
  else
    wait "$game_pid" || status=$?
    if [ "$status" -ne 0 ]; then echo "FAIL: SIG$1: exit status $status"; cat "$log"; fail=1
    else echo "ok: SIG$1 ends the game with status 0"; fi
  fi
  game_pid=
}

quit_with TERM
quit_with INT
exit $fail
