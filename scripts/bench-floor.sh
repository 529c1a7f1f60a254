# Sourced by the frame benchmark scripts: the floor they measure the game
# against, defined once. The floor is build/tools/bench-floor/vabo-bench-floor:
# an 800 x 600 SDL 1.2 OpenGL window drawing one full-screen quad of a
# 1024 x 1024 RGBA texture per frame (linear filtering, GL_MODULATE,
# blending off), paced by the engine's frame timer at the game's default
# 100 frames a second. A figure is CPU per frame: the process's CPU time
# (every thread, the software rasteriser's too) over the frames it drew.
#
#   start_frame_counting WORKDIR   builds the frame counter, sets FRAME_COUNT_FILE
#   floor_frame_ms SECONDS         runs the floor; its CPU ms per frame in $figure,
#                                  its frames a second in $rate
#   process_frame_ms PID SECONDS   CPU ms per frame and frames a second of a
#                                  running program started with
#                                  LD_PRELOAD=$frame_counter
#   median FIGURE...               the middle figure
floor_program=$PWD/build/tools/bench-floor/vabo-bench-floor
floor_period=0.01

start_frame_counting() {
  [ -x "$floor_program" ] || { echo "build the floor program first (./test.sh)"; exit 1; }
  command -v cc > /dev/null || { echo "missing cc (scripts/install-deps.sh)"; exit 1; }
  # Counts the frames a program shows, in a file of one 64-bit count.
  cat > "$1/frames.c" << 'SOURCE'
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
SOURCE
  cc -O2 -shared -fPIC -o "$1/frames.so" "$1/frames.c" -ldl
  frame_counter=$1/frames.so
  export FRAME_COUNT_FILE=$1/frames
}

shown_frames() { od -An -t u8 "$FRAME_COUNT_FILE" 2> /dev/null | tr -d ' ' || echo 0; }

process_frame_ms() {
  local pid=$1 seconds=$2 hz before after first last
  hz=$(getconf CLK_TCK)
  before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  first=$(shown_frames)
  sleep "$seconds"
  after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  last=$(shown_frames)
  awk -v a="$before" -v b="$after" -v hz="$hz" -v f="$first" -v l="$last" -v s="$seconds" \
    'BEGIN { printf "%.3f %.1f\n", (l > f ? (b - a) / hz * 1000 / (l - f) : 0), (l - f) / s }'
}

# The floor's process id is in $program meanwhile, for the caller's clean-up.
floor_frame_ms() {
  rm -f "$FRAME_COUNT_FILE"
  LD_PRELOAD="$frame_counter" "$floor_program" "$floor_period" &
  program=$!
  sleep 2
  read -r figure rate < <(process_frame_ms "$program" "$1")
  kill "$program"; wait "$program" 2> /dev/null || true; program=
}

median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
