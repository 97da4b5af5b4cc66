#!/usr/bin/env bash
# End to end for Replace and Find Next: the real program under a virtual X display opens a song
# of two guitar lines, "Cmaj7, ..." and "C, ...". Ctrl+R opens the replace dialog; "C" and "C#"
# are typed in, Match Case is ticked and OK replaces the first "C". F3 replaces the next one, the
# F3 after it finds nothing ("Search phrase "C" not found"), the message is closed, F3 again finds
# nothing again; Ctrl+S saves. A screenshot is taken while the not-found message shows. Then the
# song file, read with the program's own song reader, must hold "C#maj7, ..." and "C#, ...": no
# replacement replaced again ("C##").
#   tools/find_e2e.sh [screenshot.png]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=find_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
shot=${1:-}

e2e_need xvfb-run xdotool python3 import
e2e_build tw_song_lines

e2e_work
song="$work/Replace Test.twd"
"$build/bench/tw_song_lines" write "$song" 6 "Cmaj7, x, 3, 2, 0, 0, 0, Q" "C, x, 3, 2, 0, 1, 0, Q"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

e2e_xvfb 1024x720 '
  set -e
  x="python3 $3"
  "$0" "$1" > "$4/program.log" 2>&1 &
  pid=$!
  sleep 3
  $x click 450 150                                 # into the editor
  $x keys ctrl+Home ctrl+r                         # caret on the first line; Replace
  sleep 1
  dialog=$(xdotool search --onlyvisible --name "^Replace Text$" | head -n 1)
  [ -n "$dialog" ] || { echo "find_e2e: the replace dialog did not open" >&2; kill "$pid"; exit 1; }
  xdotool windowfocus "$dialog" 2>/dev/null || true
  sleep 0.3
  xdotool key ctrl+a && xdotool type --delay 100 "C"
  xdotool key Tab && xdotool type --delay 100 "C#"
  xdotool key Tab Tab space Return                 # Match Case; OK replaces the first "C"
  sleep 1
  # F3 replaces the second line'"'"'s "C"; each further F3 finds nothing and says so.
  for press in 1 2 3; do
    $x keys F3
    sleep 1
    [ "$press" = 1 ] && continue
    box=$(xdotool search --onlyvisible --name "^Information$" | head -n 1)
    if [ -z "$box" ]; then                         # F3 did something else: the saved lines tell
      echo "find_e2e: no not-found message after F3 $press" >&2
      continue
    fi
    [ "$press" = 2 ] && import -window root "$2"
    xdotool windowfocus "$box" 2>/dev/null || true
    sleep 0.3
    xdotool key Return                             # close the message
    sleep 0.5
  done
  $x keys ctrl+s
  sleep 1
  $x close
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$shot" "$xdrive" "$work"
echo "screenshot: $shot"

got=$("$build/bench/tw_song_lines" read "$song" 6)
want=$'C#maj7, x, 3, 2, 0, 0, 0, Q\nC#, x, 3, 2, 0, 1, 0, Q'
echo "saved lines:"
echo "$got"
if [ "$got" != "$want" ]; then
  echo "find_e2e: the saved lines are not each \"C\" replaced by \"C#\" once" >&2
  exit 1
fi
echo "find_e2e: every \"C\" was replaced by \"C#\" once, and Find Next after the miss replaced nothing"
