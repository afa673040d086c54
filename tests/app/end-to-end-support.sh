# Shared by the end-to-end scripts, which source it right after `set -euo pipefail` with their own
# arguments GAME_DIR SCREENSHOT_DIR: runs the calling script again under a virtual X server,
# starts the built game there and waits for its window, and gives the helpers that read
# screenshots and count failures. A script ends with `expect_quit_with_status_0` (after choosing
# QUIT) and `finish`. GEARWARD_E2E_COMMAND, when set, is started (in GAME_DIR) instead of the
# folder's ./gearward: the installed launcher, for one.
game_dir=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"

source "$(dirname "${BASH_SOURCE[0]}")/virtual-display.sh"

log=$(mktemp)
cleanup() {
  if [ -n "${game_pid:-}" ] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid"; fi
  rm -f "$log"
}
trap cleanup EXIT

cd "$game_dir"
"${GEARWARD_E2E_COMMAND:-./gearward}" >"$log" 2>&1 &
game_pid=$!

for _ in $(seq 1 100); do
  if xdotool search --name "Gearward Arc" >/dev/null 2>&1; then break; fi
  sleep 0.2
done
xdotool search --name "Gearward Arc" >/dev/null || { echo "no game window"; cat "$log"; exit 1; }

fail=0
# Brightest red channel (0..255) of a screen rectangle WxH+X+Y.
brightest() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima.r)]' info:; }
# The same for the green channel (the check mark is green).
greenest() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima.g)]' info:; }
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
# Pixels that differ by more than 10% between two screenshots.
differing() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 || true; }
expect_at_least() {  # what value minimum
  if [ "$2" -lt "$3" ]; then echo "FAIL: $1: $2 < $3"; fail=1; else echo "ok: $1 ($2)"; fi
}
expect_at_most() {
  if [ "$2" -gt "$3" ]; then echo "FAIL: $1: $2 > $3"; fail=1; else echo "ok: $1 ($2)"; fi
}
keys() { xdotool key --delay 150 "$@"; sleep 0.5; }

# After QUIT was chosen: the game ends by itself within 30 s, with status 0.
expect_quit_with_status_0() {
  local status=0
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
}

# The game's last output lines and where the screenshots are; the script's result.
finish() {
  echo "--- game output (last lines)"
  tail -n 40 "$log"
  echo "--- screenshots in $shots"
  exit $fail
}
