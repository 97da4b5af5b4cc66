#!/usr/bin/env bash
# Pictures of the main window for a look at its layout, in the real program under a 1920x1080
# virtual X display with the demo song: at its start size, then made as small as it lets itself
# be (asked for 200x200 from outside, it takes its least size back) on its first tab, the Drums
# tab and a piano tab, then filling the screen. The window must start at 815x599, keep at least
# its least size and fill the screen when asked to; whether anything overlaps or is cut off is
# for the eye: start.png, min.png, min-drums.png, min-piano.png, full.png, full-drums.png.
#   tools/layout_e2e.sh [folder for the pictures]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=layout_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run xdotool python3 import
e2e_build tw_demo_song

e2e_work
e2e_shots "${1:-}"
song="$work/Demo Song.twd"
"$build/bench/tw_demo_song" "$song"
export TARROWIND_SYNTH_WAV="$work/out.wav"

e2e_xvfb 1920x1080 '
  set -e
  x="python3 $2"
  shots=$4
  "$0" "$1" > "$3/program.log" 2>&1 &
  pid=$!
  sleep 3
  fail() { echo "layout_e2e: $*" >&2; kill "$pid"; exit 1; }
  id=$(xdotool search --onlyvisible --name "^Tarrowind Version 2" | head -n 1)
  size() { xdotool getwindowgeometry "$id" | sed -n "s/.*Geometry: //p"; }
  # A click at $1, $2 of the window: a tab of the tab bar, where the pictures show it.
  tab() { $x click "$1" "$2"; sleep 0.5; }
  start=$(size)
  echo "at start the window is $start"
  [ "$start" = 815x599 ] || fail "the window did not start at 815x599"
  import -window "$id" "$shots/start.png"
  xdotool windowmove "$id" 0 0 windowsize "$id" 200 200
  sleep 1.5
  least=$(size)
  echo "asked for 200x200, the window is $least"
  w=${least%x*} h=${least#*x}
  [ "$w" -gt 200 ] && [ "$h" -gt 200 ] || fail "the window took a size below its least"
  import -window "$id" "$shots/min.png"
  tab 497 289                                      # drums, on the least window
  echo "the Drums tab shown: the window is $(size)"
  import -window "$id" "$shots/min-drums.png"
  tab 28 289                                       # PIANO
  echo "the Piano tab shown: the window is $(size)"
  import -window "$id" "$shots/min-piano.png"
  xdotool windowsize "$id" 1920 1080
  sleep 1.5
  full=$(size)
  echo "asked for 1920x1080, the window is $full"
  [ "$full" = 1920x1080 ] || fail "the window did not fill the screen"
  import -window "$id" "$shots/full.png"
  tab 500 568                                      # drums, on the full window
  import -window "$id" "$shots/full-drums.png"
  $x close
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$xdrive" "$work" "$shots"
echo "pictures: $shots"
