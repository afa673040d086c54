#!/usr/bin/env bash
# Installs every Debian 12 package the game, its tools and its tests need, and any package named
# on its command line (scripts/package.sh asks for the packaging tools that way).
# Runs apt-get update only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format
  libsdl1.2-dev libsdl-ttf2.0-dev libsdl-image1.2-dev
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libyaml-cpp-dev libgtest-dev libpng-dev
  # fonts-paratype: the game font; fonts-dejavu-extra: a second face some tests open by path
  fonts-paratype fonts-eurofurence fonts-dejavu-extra
  xvfb xauth xdotool x11-apps imagemagick
  dpkg-dev file
  # python3: scripts/mutants.py samples mutations from a seed with a generator that gives the same
  # sample on every machine
  python3
  # lcov: scripts/coverage.sh sums the line coverage of src/
  lcov
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
