#!/usr/bin/env bash
# Installs, only when missing, every Debian package that the build, the tests,
# the asset tool and the game need. Safe to run any number of times.
#
#   scripts/install-deps.sh          packages for building, testing and playing
#   scripts/install-deps.sh --fuzz   also clang's fuzzing runtime
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config
  # engine libraries
  libsdl1.2-dev libgl1-mesa-dev libglu1-mesa-dev mesa-utils
  zlib1g-dev libjpeg-dev libogg-dev libvorbis-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool
  # asset tool: drawing, fonts, sound checks
  libcairo2-dev libfreetype-dev fonts-dejavu-core fonts-quicksand sox
)

if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
