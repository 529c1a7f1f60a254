#!/usr/bin/env bash
# Installs what is missing, builds, makes the data pack and starts the game.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"

cd build/game
exec ./Vabodemo "$@"
