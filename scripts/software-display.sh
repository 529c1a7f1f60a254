# Sourced by the benchmark scripts: starts a virtual X server of its own
# (its process id in $xvfb, for the caller's clean-up) and points the
# programs started from here at it, drawn by software OpenGL (Mesa's
# llvmpipe with two rasteriser threads) with SDL's silent sound driver.
#
#   start_software_display WORKDIR
start_software_display() {
  mkfifo "$1/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$1/display" > /dev/null 2>&1 &
  xvfb=$!
  local number
  read -r -t 20 number < "$1/display" || { echo "the virtual X server did not start"; exit 1; }
  export DISPLAY=:$number
  export LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=2 SDL_AUDIODRIVER=dummy
}
