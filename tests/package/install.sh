#!/usr/bin/env bash
# Installs the built game twice and checks what a player and a packager get:
#  1. into a DESTDIR with the prefix /usr, as the .deb does: every file of the game folder (all
#     the game reads) in the data folder, the game, the launcher, the tools, the menu entry naming
#     the launcher, the icons at their sizes, the metainfo, the manual pages, the guide, and
#     nothing outside the prefix;
#  2. under a prefix of its own, whose launcher is then started from another folder on a virtual
#     X server: the title screen must show, with no diagnostic, and QUIT must end it with status 0.
#   install.sh BUILD_DIR SCRATCH_DIR   (SCRATCH_DIR is emptied first and removed at the end)
set -euo pipefail
source "$(dirname "$0")/../app/virtual-display.sh"
build=$(realpath "$1")
scratch=$(realpath -m "$2")
rm -rf "$scratch"
mkdir -p "$scratch/elsewhere"

fail=0
check() {  # description command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; fail=1; fi
}

stage=$scratch/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$scratch/install.log"
data=/usr/share/games/gearward-arc

# An installed file as the player will see it: a link inside the stage is followed from where it
# will finally stand, outside the stage.
installed() {  # path under the prefix
  local file=$stage$1
  if [ -L "$file" ]; then
    local target
    target=$(readlink "$file")
    case $target in /*) ;; *) target=$(realpath -m "$(dirname "$1")/$target") ;; esac
    [ -f "$target" ]
  else
    [ -f "$file" ]
  fi
}

# A font linked to the system's font file leaves its licence copy out: the package's copyright
# file names the font's package instead.
missing=0
while IFS= read -r file; do
  if [[ $file == *-LICENSE.txt && -L $stage$data/${file%-LICENSE.txt}.ttf ]]; then continue; fi
  if ! installed "$data/$file"; then echo "FAIL: $data/$file not installed"; missing=$((missing + 1)); fi
done < <(cd "$build/game" && find . -type f ! -name gearward -printf '%P\n')
check "every file of the game folder in $data ($(cd "$build/game" && find . -type f | wc -l) files)" [ "$missing" -eq 0 ]
for program in /usr/games/gearward /usr/lib/games/gearward-arc/gearward /usr/bin/gearward-data /usr/bin/gearward-sim; do
  check "$program executable" [ -x "$stage$program" ]
done
check "the menu entry starts the launcher" grep -qx 'Exec=/usr/games/gearward' "$stage/usr/share/applications/gearward-arc.desktop"
check "the menu entry is a strategy game" grep -qx 'Categories=Game;StrategyGame;' "$stage/usr/share/applications/gearward-arc.desktop"
for size in 48 128 256; do
  icon=$stage/usr/share/icons/hicolor/${size}x$size/apps/gearward-arc.png
  check "icon $size x $size" [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ]
done
check "AppStream metainfo" [ -f "$stage/usr/share/metainfo/gearward-arc.metainfo.xml" ]
for page in man6/gearward.6 man1/gearward-data.1 man1/gearward-sim.1; do
  check "manual page $page, compressed" gzip -t "$stage/usr/share/man/$page.gz"
done
for doc in copyright changelog.gz playing.md; do
  check "/usr/share/doc/gearward-arc/$doc" [ -f "$stage/usr/share/doc/gearward-arc/$doc" ]
done
# Every picture the guide shows is installed beside it.
while IFS= read -r picture; do
  check "guide picture $picture" [ -f "$stage/usr/share/doc/gearward-arc/$picture" ]
done < <(grep -o '](images/[^)]*\.png)' "$stage/usr/share/doc/gearward-arc/playing.md" | sed 's/^](//; s/)$//')
check "nothing outside /usr" [ -z "$(cd "$stage" && find . -mindepth 1 -maxdepth 1 ! -name usr)" ]

# The launcher from another folder. The game's output is read for diagnostics afterwards.
cmake --install "$build" --prefix "$scratch/prefix" >>"$scratch/install.log"
export GEARWARD_E2E_COMMAND=$scratch/prefix/games/gearward
launcher_fail=$fail
set -- "$scratch/elsewhere" "$build/screenshots"
source "$(dirname "$0")/../app/end-to-end-support.sh"
fail=$launcher_fail
trap 'cleanup; rm -rf "$scratch"' EXIT

capture_when_bright "$shots/installed-title.png" 110x28+85+220
sleep 1
import -window root "$shots/installed-title.png"
expect_at_least "title reached: NEW GAME label" "$(brightest "$shots/installed-title.png" 110x28+85+220)" 200
expect_at_least "title reached: QUIT label" "$(brightest "$shots/installed-title.png" 60x28+85+330)" 200
keys Down Down space
expect_quit_with_status_0
if grep -Eq '^(Error|FAIL)' "$log"; then echo "FAIL: the installed game reported a problem"; fail=1; fi
finish
