#!/usr/bin/env bash
# Checks a built gearward-arc .deb from its control fields and file list (dpkg-deb): the game, its
# launcher, the tools, the data folder with data.db, models and textures, the menu entry, the
# icons, the metainfo, the manual pages and the guide; dependencies found from the binaries
# (SDL and its libraries) and those the data needs (its fonts and Mesa's drivers).
#   check-deb.sh FILE.deb
set -euo pipefail
deb=$1
fail=0
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in /usr/games/gearward /usr/lib/games/gearward-arc/gearward /usr/bin/gearward-data /usr/bin/gearward-sim \
  /usr/share/games/gearward-arc/data.db /usr/share/games/gearward-arc/shader.vsh \
  /usr/share/games/gearward-arc/UniversCondensed.ttf /usr/share/games/gearward-arc/Eurofurence.ttf \
  /usr/share/applications/gearward-arc.desktop /usr/share/metainfo/gearward-arc.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/gearward-arc.png /usr/share/icons/hicolor/128x128/apps/gearward-arc.png \
  /usr/share/icons/hicolor/256x256/apps/gearward-arc.png /usr/share/man/man6/gearward.6.gz \
  /usr/share/man/man1/gearward-data.1.gz /usr/share/man/man1/gearward-sim.1.gz \
  /usr/share/doc/gearward-arc/copyright /usr/share/doc/gearward-arc/changelog.gz /usr/share/doc/gearward-arc/playing.md; do
  if grep -qx "$path" <<<"$contents"; then echo "ok: $path"; else echo "FAIL: $path not in the package"; fail=1; fi
done
for folder in models textures; do
  count=$(grep -c "^/usr/share/games/gearward-arc/$folder/." <<<"$contents" || true)
  if [ "$count" -gt 0 ]; then echo "ok: $count files in $folder/"; else echo "FAIL: no $folder/"; fail=1; fi
done
outside=$(grep -v '^/usr/' <<<"$contents" | grep -vx '/' || true)
if [ -z "$outside" ]; then echo "ok: everything under /usr"; else echo "FAIL: outside /usr: $outside"; fail=1; fi
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libsdl1.2debian libsdl-ttf2.0-0 libsdl-image1.2 libglu1-mesa fonts-paratype fonts-eurofurence libgl1-mesa-dri; do
  if grep -q "\b$package\b" <<<"$depends"; then echo "ok: depends on $package"; else echo "FAIL: no dependency on $package"; fail=1; fi
done
exit $fail
