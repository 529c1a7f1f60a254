#!/usr/bin/env bash
# Installs what is missing, builds only the game and its data pack, and
# starts it. ./test.sh builds the rest (tests, benchmarks, fuzz replays).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)" --target Vabodemo game_assets

cd build/game
exec ./Vabodemo "$@"
