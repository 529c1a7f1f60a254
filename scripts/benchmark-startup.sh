#!/usr/bin/env bash
# Measures the start-up from the first frame to the end of the loader (the
# moment the main menu is built and the start-up screens take over, each of
# which the player can skip) and compares it with what the
# loader's one-stage-per-frame design needs: one frame period per stage at
# the configured frame rate, plus 20%.
#
#   scripts/benchmark-startup.sh [runs]     (after a build into build/)
#
# Each run starts the real program from a copy of its game folder with a
# per-user folder that already holds a language choice, on a virtual X
# server, and ends it with the window's close request once the log shows
# the hand-over.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
game=$PWD/build/game
[ -x "$game/Vabodemo" ] || { echo "build the game first (./test.sh or ./run.sh)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stages=100
period=0.015
limit=$(awk -v s=$stages -v p=$period 'BEGIN { printf "%.3f", s * p * 1.2 }')

worst=0
for run in $(seq "$runs"); do
  rm -rf "$work/game" "$work/user"
  mkdir -p "$work/game" "$work/user/1.30"
  ln -s "$game/Vabodemo.dat" "$game/Vabodemo.cfg.static" "$work/game/"
  printf '[Qel]\ndefaultLanguage=0\n[QelGraphics]\nbFullScreen=No\n' > "$work/user/1.30/Vabodemo.cfg"
  # -noreset: SDL opens the display twice, and without it the server resets
  # when the first connection closes, refusing the second ("Couldn't open
  # X11 display").
  (
    cd "$work/game"
    U3_APP_DATA_PATH="$work/user" SDL_AUDIODRIVER=dummy \
      xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" timeout 8 "$game/Vabodemo" > /dev/null 2>&1 || true
  )
  seconds=$(sed -n 's/.*Global initialization complete at t=\([0-9.]*\) sec\..*/\1/p' "$work/game/Vabodemo.log")
  [ -n "$seconds" ] || { echo "run $run: the loader did not finish; the end of its log:"; tail -5 "$work/game/Vabodemo.log" 2>/dev/null; exit 1; }
  echo "run $run: loader done at t=${seconds}s"
  worst=$(awk -v a="$worst" -v b="$seconds" 'BEGIN { print (b > a) ? b : a }')
done
echo "worst ${worst}s; design ${stages} stages x ${period}s + 20% = ${limit}s"
awk -v w="$worst" -v l="$limit" 'BEGIN { exit !(w <= l) }' && echo "within the limit" || { echo "over the limit"; exit 1; }
