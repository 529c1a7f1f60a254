#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual X
# server. Exits non-zero on any failure.
#
#   ./test.sh              the normal build (build/)
#   ./test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer (build-sanitize/)
#   ./test.sh --tsan       ThreadSanitizer (build-tsan/)
#   ./test.sh -R Pattern   extra arguments go to ctest
set -euo pipefail
cd "$(dirname "$0")"

build_dir=build
cmake_args=()
build_env=()
ctest_args=()
for arg in "$@"; do
  case "$arg" in
    --sanitize) build_dir=build-sanitize; cmake_args+=(-DVABO_SANITIZE=ON) ;;
    --tsan)
      build_dir=build-tsan; cmake_args+=(-DVABO_TSAN=ON)
      # The asset tool draws with cairo on several threads during the build;
      # cairo's own atomics are invisible to the sanitizer.
      build_env+=(TSAN_OPTIONS=report_bugs=0) ;;
    *) ctest_args+=("$arg") ;;
  esac
done

scripts/install-deps.sh
jobs=${JOBS:-$(nproc)}
cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"
env "${build_env[@]}" cmake --build "$build_dir" -j "$jobs"

export SDL_AUDIODRIVER=dummy
# Software OpenGL draws with two rasteriser threads, as the frame digests were made.
export LP_NUM_THREADS=2
# The leak checker's scan of dynamic thread-local storage can crash at exit
# once Mesa's driver has been loaded with its own thread-locals; those hold
# none of the program's allocations.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:intercept_tls_get_addr=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
# xvfb-run waits until the server is ready before it starts the command;
# -noreset keeps the server up between test programs (a reset drops every
# connection that arrives meanwhile).
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
  ctest --test-dir "$build_dir" --output-on-failure --timeout 300 -j "$jobs" "${ctest_args[@]}"
