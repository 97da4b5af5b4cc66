#!/usr/bin/env bash
# End to end: the real program under a virtual X display opens a song of three guitar lines; real
# key presses and a click go to its window through the X server's XTest extension (libXtst,
# called from Python's ctypes): a click in the editor, Ctrl+Home and Shift+Down twice select the
# first two lines, Alt+D opens the Editor menu, the keys walk to Transpose Higher > 1 and press
# it, Ctrl+S saves. A screenshot is taken with the Editor menu and its Transpose Higher
# sub-menu open. Then the song file, read with the program's own song reader, must hold the two
# lines one half step higher and the third line as it was.
#   tools/lineedit_e2e.sh [screenshot.png]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=lineedit_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
shot=${1:-}

e2e_need xvfb-run python3 import
e2e_build tw_song_lines

e2e_work
song="$work/Transpose Test.twd"
"$build/bench/tw_song_lines" write "$song" 6 \
  "C, x, 3, 2, 0, 1, 0, Q" "G, 3, 2, 0, 0, 0, 3, H" "E, 0, 2, 2, 1, 0, 0, Q"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

e2e_xvfb 1024x720 '
  x="python3 $3"
  "$0" "$1" > "$4/program.log" 2>&1 &
  pid=$!
  sleep 3
  $x click 450 150                                    # into the editor
  $x keys ctrl+Home shift+Down shift+Down             # the first two lines
  $x keys alt+d Down Right                            # Editor > Transpose Higher
  import -window root "$2"
  $x keys Down Down Down Down Down Down Down Down Down Down Down Return   # from "12" down to "1"
  sleep 0.5
  $x keys ctrl+s
  sleep 1
  $x close
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$shot" "$xdrive" "$work"
echo "screenshot: $shot"

got=$("$build/bench/tw_song_lines" read "$song" 6)
want=$'C, x, 4, 3, 1, 2, 1, Q\nG, 4, 3, 1, 1, 1, 4, H\nE, 0, 2, 2, 1, 0, 0, Q'
echo "saved lines:"
echo "$got"
if [ "$got" != "$want" ]; then
  echo "lineedit_e2e: the saved lines are not the first two transposed one half step up" >&2
  exit 1
fi
echo "lineedit_e2e: the two selected lines were saved one half step higher"
