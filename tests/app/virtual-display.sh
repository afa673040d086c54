# Sourced near the top of every script that runs the built game from outside: runs the calling
# script again, with its own arguments, under a virtual X server the size of the game's screen.
#
# The game's own memory is leak-checked in-process by the display tests (runGame there keeps the
# graphics driver loaded). Run from outside, the game unloads the Mesa driver when it closes its
# window, and the driver's process-wide allocations then come from an unknown module that no
# suppression can name; so these outside runs check behaviour and memory errors, not leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

if [ -z "${GEARWARD_E2E_INNER:-}" ]; then
  export GEARWARD_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi
