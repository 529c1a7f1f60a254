#!/usr/bin/env bash
# Measures the CPU per frame of the idle main menu under software OpenGL
# (Mesa's llvmpipe with two rasteriser threads, as on a machine without a
# graphics driver) against the floor program of scripts/bench-floor.sh, in
# one run: rounds alternate between the game and the floor, each measured
# over the same window of seconds in the same virtual X server. A figure is
# the process's CPU time over the frames it showed; the goal holds the
# median menu frame at most 1.2 times the median floor frame.
#
#   scripts/benchmark-menu.sh [seconds] [rounds]   (after a build into build/; 30 s, 5 rounds)
#
# The game starts from a copy of its game folder with a per-user folder that
# already holds a language choice; Space skips the start-up screens, the
# first start's name entry gets a name, until a screenshot (F9) shows the
# main menu's start button. The menu then idles with the pointer where it
# starts, at the game's default of 100 frames a second.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
rounds=${2:-5}
game=$PWD/build/game
[ -x "$game/Vabodemo" ] || { echo "build the game first (./test.sh or ./run.sh)"; exit 1; }
for tool in Xvfb xdotool cc; do
  command -v "$tool" > /dev/null || { echo "missing $tool (scripts/install-deps.sh)"; exit 1; }
done
# The main menu's goal: at most this many times the floor's CPU per frame.
goal=1.2

work=$(mktemp -d)
xvfb=
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2> /dev/null && wait "$program" 2> /dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null && wait "$xvfb" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Prints the red, green and blue of one pixel of a JPEG file.
cat > "$work/pixel.c" << 'EOF'
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>

int main(int argc, char** argv)
{
    if (argc != 4) {
        return 2;
    }
    FILE* file = fopen(argv[1], "rb");
    if (file == NULL) {
        return 1;
    }
    const int x = atoi(argv[2]);
    const int y = atoi(argv[3]);
    struct jpeg_decompress_struct info;
    struct jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (x < 0 || y < 0 || x >= (int)info.output_width || y >= (int)info.output_height) {
        return 1;
    }
    unsigned char* row = malloc(info.output_width * 3);
    while ((int)info.output_scanline <= y) {
        jpeg_read_scanlines(&info, &row, 1);
    }
    printf("%d %d %d\n", row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    return 0;
}
EOF
cc -O2 -o "$work/pixel" "$work/pixel.c" -ljpeg

# shellcheck source=scripts/software-display.sh
. scripts/software-display.sh
# shellcheck source=scripts/bench-floor.sh
. scripts/bench-floor.sh
start_software_display "$work"
start_frame_counting "$work"

tap() {
  xdotool keydown "$1"
  sleep 0.05
  xdotool keyup "$1"
}

# Whether the newest screenshot shows the colour at a window pixel.
shows() {
  local shot colour
  shot=$(find "$work/user/1.30" -name '*.jpg' | sort | tail -1)
  [ -n "$shot" ] || return 1
  colour=$("$work/pixel" "$shot" "$1" "$2" 2> /dev/null) || return 1
  awk -v c="$colour" -v r="$3" -v g="$4" -v b="$5" \
    'BEGIN { split(c, p, " "); d = (p[1] - r)^2 + (p[2] - g)^2 + (p[3] - b)^2; exit !(d < 300) }'
}
# The High scores button's left end at view (-140, -50), in window pixels
# (the start button above it shows the keyboard's focus).
menu_shown() { shows 260 350 34 105 39; }
# The first start's name entry: its blue panel.
name_entry_shown() { shows 150 300 39 73 121; }

menu_figures=()
floor_figures=()
ratio_figures=()
for round in $(seq "$rounds"); do
  rm -rf "$work/game" "$work/user"
  mkdir -p "$work/game" "$work/user/1.30"
  ln -s "$game/Vabodemo.dat" "$game/Vabodemo.cfg.static" "$work/game/"
  printf '[Qel]\ndefaultLanguage=0\n[QelGraphics]\nbFullScreen=No\n' > "$work/user/1.30/Vabodemo.cfg"
  rm -f "$FRAME_COUNT_FILE"
  (cd "$work/game" && exec env U3_APP_DATA_PATH="$work/user" LD_PRELOAD="$frame_counter" "$game/Vabodemo" > /dev/null 2>&1) &
  program=$!
  shown=
  for _ in $(seq 120); do
    kill -0 "$program" 2> /dev/null || { echo "the game ended before the main menu"; exit 1; }
    xdotool mousemove 700 60
    tap space
    sleep 0.3
    tap F9
    sleep 0.5
    if menu_shown; then shown=1; break; fi
    if name_entry_shown; then
      for _ in $(seq 8); do tap BackSpace; done
      xdotool type --delay 100 Bench
      tap Return
    fi
    rm -f "$work/user/1.30/"*.jpg
  done
  [ -n "$shown" ] || { echo "the main menu never showed"; exit 1; }
  sleep 2
  read -r menu menu_rate < <(process_frame_ms "$program" "$seconds")
  kill "$program"; wait "$program" 2> /dev/null || true; program=

  floor_frame_ms "$seconds"
  floor=$figure
  ratio=$(awk -v m="$menu" -v f="$floor" 'BEGIN { printf "%.2f", m / f }')
  echo "round $round: main menu $menu ms at $menu_rate frames/s, floor $floor ms at $rate frames/s" \
    "CPU per frame: ratio $ratio"
  menu_figures+=("$menu")
  floor_figures+=("$floor")
  ratio_figures+=("$ratio")
done
ratio=$(median "${ratio_figures[@]}")
echo "median of $rounds rounds of ${seconds} s: main menu $(median "${menu_figures[@]}") ms," \
  "floor $(median "${floor_figures[@]}") ms CPU per frame: ratio $ratio, goal at most $goal"
awk -v r="$ratio" -v g="$goal" 'BEGIN { exit !(r <= g) }' && echo "within the goal" || { echo "over the goal"; exit 1; }
