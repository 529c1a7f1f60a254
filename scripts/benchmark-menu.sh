#!/usr/bin/env bash
# Measures what the idle main menu costs under software OpenGL (Mesa's
# llvmpipe with two rasteriser threads, as on a machine without a graphics
# driver) against a floor: a bare SDL window of the same size and frame
# period that draws one full-screen opaque textured quad per frame. Both run
# in the same virtual X server, one after the other; each is measured as the
# CPU its process used over the same number of seconds, and the frames it
# showed meanwhile.
#
#   scripts/benchmark-menu.sh [seconds] [rounds]   (after a build into build/)
#
# The game starts from a copy of its game folder with a per-user folder that
# already holds a language choice; Space skips the start-up screens, the
# first start's name entry gets a name, until a screenshot (F9) shows the
# main menu's start button. The menu then idles
# with the pointer where it starts. The floor paces its frames as the game
# does at its default settings: 100 frames a second at most, each frame
# sleeping what is left of its period less a millisecond.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
rounds=${2:-3}
game=$PWD/build/game
[ -x "$game/Vabodemo" ] || { echo "build the game first (./test.sh or ./run.sh)"; exit 1; }
for tool in Xvfb xdotool cc sdl-config; do
  command -v "$tool" > /dev/null || { echo "missing $tool (scripts/install-deps.sh)"; exit 1; }
done
# The main menu's goal: at most this many times the floor's CPU.
goal=1.5
width=800
height=600
period_ms=10

work=$(mktemp -d)
xvfb=
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2> /dev/null && wait "$program" 2> /dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null && wait "$xvfb" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cat > "$work/floor.c" << EOF
#include <SDL.h>
#define NO_SDL_GLEXT
#include <SDL_opengl.h>

static unsigned char pixels[1024 * 1024 * 3];

int main(void)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode($width, $height, 0, SDL_OPENGL) == NULL) {
        return 1;
    }
    for (int i = 0; i < 1024 * 1024; ++i) {
        pixels[3 * i] = (unsigned char)(i * 7);
        pixels[3 * i + 1] = (unsigned char)(i >> 10);
        pixels[3 * i + 2] = (unsigned char)(i >> 3);
    }
    GLuint texture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 1024, 1024, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const float u = $width / 1024.0f;
    const float v = $height / 1024.0f;
    for (;;) {
        const Uint32 start = SDL_GetTicks();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                return 0;
            }
        }
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(-1.0f, -1.0f);
        glTexCoord2f(u, 0.0f);
        glVertex2f(1.0f, -1.0f);
        glTexCoord2f(0.0f, v);
        glVertex2f(-1.0f, 1.0f);
        glTexCoord2f(u, v);
        glVertex2f(1.0f, 1.0f);
        glEnd();
        SDL_GL_SwapBuffers();
        const Uint32 spent = SDL_GetTicks() - start;
        if (spent < $period_ms) {
            SDL_Delay(spent + 1 < $period_ms ? $period_ms - spent - 1 : 1);
        }
    }
}
EOF
# Counts the frames a program shows, in a file of one 64-bit count.
cat > "$work/frames.c" << 'EOF'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static volatile uint64_t* count;

void SDL_GL_SwapBuffers(void)
{
    static void (*swap)(void);
    if (swap == NULL) {
        swap = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
        const int file = open(getenv("FRAME_COUNT_FILE"), O_RDWR | O_CREAT, 0600);
        if (file >= 0 && ftruncate(file, sizeof *count) == 0) {
            count = mmap(NULL, sizeof *count, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
        }
    }
    if (count != NULL && count != MAP_FAILED) {
        ++*count;
    }
    swap();
}
EOF
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
# shellcheck disable=SC2046
cc -O2 -o "$work/floor" "$work/floor.c" $(sdl-config --cflags --libs) -lGL
cc -O2 -o "$work/pixel" "$work/pixel.c" -ljpeg
cc -O2 -shared -fPIC -o "$work/frames.so" "$work/frames.c" -ldl
export FRAME_COUNT_FILE=$work/frames

# shellcheck source=scripts/software-display.sh
. scripts/software-display.sh
start_software_display "$work"

frames() { od -An -t u8 "$FRAME_COUNT_FILE" 2> /dev/null | tr -d ' ' || echo 0; }
# Cores the process used over the measured seconds, and its frames a second.
measure() {
  local pid=$1 hz before after first last
  hz=$(getconf CLK_TCK)
  before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  first=$(frames)
  sleep "$seconds"
  after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  last=$(frames)
  awk -v a="$before" -v b="$after" -v s="$seconds" -v hz="$hz" -v f="$first" -v l="$last" \
    'BEGIN { printf "%.3f %.1f\n", (b - a) / hz / s, (l - f) / s }'
}

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
menu_shown() { shows 260 350 75 179 70; }
# The first start's name entry: its blue panel.
name_entry_shown() { shows 150 300 75 115 167; }

menu_figures=()
floor_figures=()
ratio_figures=()
median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
for round in $(seq "$rounds"); do
  rm -rf "$work/game" "$work/user"
  mkdir -p "$work/game" "$work/user/1.30"
  ln -s "$game/Vabodemo.dat" "$game/Vabodemo.cfg.static" "$work/game/"
  printf '[Qel]\ndefaultLanguage=0\n[QelGraphics]\nbFullScreen=No\n' > "$work/user/1.30/Vabodemo.cfg"
  rm -f "$FRAME_COUNT_FILE"
  (cd "$work/game" && exec env U3_APP_DATA_PATH="$work/user" LD_PRELOAD="$work/frames.so" "$game/Vabodemo" > /dev/null 2>&1) &
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
  read -r menu menu_fps < <(measure "$program")
  kill "$program"; wait "$program" 2> /dev/null || true; program=

  rm -f "$FRAME_COUNT_FILE"
  LD_PRELOAD="$work/frames.so" "$work/floor" &
  program=$!
  sleep 2
  read -r floor floor_fps < <(measure "$program")
  kill "$program"; wait "$program" 2> /dev/null || true; program=

  ratio=$(awk -v m="$menu" -v f="$floor" 'BEGIN { printf "%.2f", m / f }')
  echo "round $round: main menu $menu cores at $menu_fps frames/s, floor $floor cores at $floor_fps frames/s:" \
    "ratio $ratio, per frame $(awk -v m="$menu" -v f="$floor" -v a="$menu_fps" -v b="$floor_fps" \
      'BEGIN { printf "%.2f", (m / a) / (f / b) }')"
  menu_figures+=("$menu")
  floor_figures+=("$floor")
  ratio_figures+=("$ratio")
done
ratio=$(median "${ratio_figures[@]}")
echo "median of $rounds rounds: main menu $(median "${menu_figures[@]}") cores, floor $(median "${floor_figures[@]}")" \
  "cores (${width}x${height}, ${period_ms} ms frame period): ratio ${ratio}, goal at most ${goal}"
awk -v r="$ratio" -v g="$goal" 'BEGIN { exit !(r <= g) }' && echo "within the goal" || { echo "over the goal"; exit 1; }
