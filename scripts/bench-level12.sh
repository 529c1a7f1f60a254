#!/usr/bin/env bash
# Measures the CPU time per frame of the last level (level 12) with its
# first train fully coupled on, against the idle main menu, in one run of
# the game's frame benchmarks: the engine's whole frame (tick, draw,
# present) in an 800 x 600 window of a virtual X server, drawn by software
# OpenGL (Mesa's llvmpipe with two rasteriser threads), CPU counted over the
# whole process. The goal: a level frame under a quarter of the 15 ms frame
# period.
#
#   scripts/bench-level12.sh   (after a build into build/)
set -euo pipefail
cd "$(dirname "$0")/.."
bench=$PWD/build/project_top/project_top_benchmarks
[ -x "$bench" ] || { echo "build the benchmarks first (./test.sh)"; exit 1; }
command -v Xvfb > /dev/null || { echo "missing Xvfb (scripts/install-deps.sh)"; exit 1; }
goal_ms=3.75

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null && wait "$xvfb" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=scripts/software-display.sh
. scripts/software-display.sh
start_software_display "$work"

"$bench" --benchmark_filter='^(levelTwelveFrame|idleMainMenuFrame)/' --benchmark_format=csv 2> /dev/null \
  > "$work/figures.csv"
cpu() { awk -F, -v name="\"$1/" 'index($1, name) == 1 { print $4 }' "$work/figures.csv"; }
level=$(cpu levelTwelveFrame)
menu=$(cpu idleMainMenuFrame)
[ -n "$level" ] && [ -n "$menu" ] || { cat "$work/figures.csv"; echo "the benchmarks did not run"; exit 1; }
printf 'CPU per frame: level 12 with a full train %.2f ms, idle main menu %.2f ms (goal for the level: under %s ms)\n' \
  "$level" "$menu" "$goal_ms"
awk -v l="$level" -v g="$goal_ms" 'BEGIN { exit !(l < g) }' && echo "within the goal" || { echo "over the goal"; exit 1; }
