#!/usr/bin/env bash
# Builds the game's Debian package, build/gearward-arc_VERSION_ARCH.deb, with CPack (its library
# dependencies found by dpkg-shlibdeps), checks its contents and runs lintian on it, which must
# report no error. Install it with: apt-get install ./build/gearward-arc_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh lintian
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
rm -f build/gearward-arc_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/gearward-arc_*.deb)
bash tests/package/check-deb.sh "$deb"
echo "--- lintian"
lintian --fail-on error --info "$deb"
echo "package: $deb"
