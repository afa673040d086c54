#!/usr/bin/env bash
# Measures candidate game fonts: every screen and sub-state drawn with the widest content in each
# face (the ScreenFit test with GEARWARD_FIT_FONT), one table row per installed face.
#   bash scripts/measure-fonts.sh [build folder]          (after cmake --build)
# Faces whose file is not installed are listed as such; install their package to measure them.
set -uo pipefail
build=${1:-build}
tests=$build/tests/gearward_tests
[ -x "$tests" ] || { echo "measure-fonts: $tests not built" >&2; exit 1; }

candidates=(
  "DejaVu Sans Condensed|fonts-dejavu-extra|/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf"
  "TeX Gyre Heros Condensed|fonts-texgyre|/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyreheroscn-regular.otf"
  "Nimbus Sans Narrow|fonts-urw-base35|/usr/share/fonts/opentype/urw-base35/NimbusSansNarrow-Regular.otf"
  "Liberation Sans Narrow|fonts-liberation|/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf"
  "Roboto Condensed|fonts-roboto-unhinted|/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Regular.ttf"
  "PT Sans Narrow|fonts-paratype|/usr/share/fonts/truetype/paratype/PTN57F.ttf"
)

echo "| Face | Package | Collisions | Overflows | Smallest gap | x-height 14 pt bold / 18 pt |"
echo "|---|---|---|---|---|---|"
for entry in "${candidates[@]}"; do
  IFS='|' read -r name package file <<<"$entry"
  if [ ! -f "$file" ]; then
    echo "| $name | $package | not installed | | | |"
    continue
  fi
  line=$(SDL_VIDEODRIVER=dummy GEARWARD_FIT_FONT=$file "$tests" --gtest_filter='ScreenFit.*' 2>/dev/null |
    grep '^screen fit:')
  # screen fit: S scenes, C collisions, O overflows, smallest gap G px, x-height 14 pt bold X px, 18 pt Y px
  read -r collisions overflows gap x14 x18 < <(sed -E \
    's/.* ([0-9]+) collisions, ([0-9]+) overflows, smallest gap (-?[0-9]+) px, x-height 14 pt bold ([0-9]+) px, 18 pt ([0-9]+) px/\1 \2 \3 \4 \5/' \
    <<<"$line")
  echo "| $name | $package | $collisions | $overflows | $gap px | $x14 / $x18 px |"
done
