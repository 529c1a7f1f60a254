#!/usr/bin/env bash
# Measures the CPU per frame of the last level (level 12) with its first
# train fully coupled on and standing in view, against the floor program of
# scripts/bench-floor.sh, in one run: rounds alternate between the level
# (the game's frame benchmark, the engine's whole frame paced by its real
# clock at 100 frames a second) and the floor, each over the same window of
# seconds, all in one virtual X server drawn by software OpenGL (Mesa's
# llvmpipe with two rasteriser threads). The goal: the median level frame
# at most 1.5 times the median floor frame.
#
#   scripts/bench-level12.sh [seconds] [rounds]   (after a build into build/; 30 s, 5 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
rounds=${2:-5}
goal=1.5
bench=$PWD/build/project_top/project_top_benchmarks
[ -x "$bench" ] || { echo "build the benchmarks first (./test.sh)"; exit 1; }
command -v Xvfb > /dev/null || { echo "missing Xvfb (scripts/install-deps.sh)"; exit 1; }

work=$(mktemp -d)
xvfb=
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2> /dev/null && wait "$program" 2> /dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null && wait "$xvfb" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=scripts/software-display.sh
. scripts/software-display.sh
# shellcheck source=scripts/bench-floor.sh
. scripts/bench-floor.sh
start_software_display "$work"
start_frame_counting "$work"

# The level's CPU ms per frame in $figure.
level_frame_ms() {
  "$bench" --benchmark_filter='^levelTwelvePacedFrame' --benchmark_min_time="$seconds" \
    --benchmark_format=csv 2> /dev/null > "$work/figures.csv" &
  program=$!
  wait "$program" || true
  program=
  figure=$(awk -F, 'index($1, "\"levelTwelvePacedFrame") == 1 { print $4 }' "$work/figures.csv")
}

level_figures=()
floor_figures=()
ratio_figures=()
for round in $(seq "$rounds"); do
  level_frame_ms
  level=$figure
  [ -n "$level" ] || { cat "$work/figures.csv"; echo "the level benchmark did not run"; exit 1; }
  floor_frame_ms "$seconds"
  floor=$figure
  ratio=$(awk -v l="$level" -v f="$floor" 'BEGIN { printf "%.2f", l / f }')
  echo "round $round: level 12 $level ms, floor $floor ms at $rate frames/s CPU per frame: ratio $ratio"
  level_figures+=("$level")
  floor_figures+=("$floor")
  ratio_figures+=("$ratio")
done
ratio=$(median "${ratio_figures[@]}")
echo "median of $rounds rounds of ${seconds} s: level 12 $(median "${level_figures[@]}") ms," \
  "floor $(median "${floor_figures[@]}") ms CPU per frame: ratio $ratio, goal at most $goal"
awk -v r="$ratio" -v g="$goal" 'BEGIN { exit !(r <= g) }' && echo "within the goal" || { echo "over the goal"; exit 1; }
