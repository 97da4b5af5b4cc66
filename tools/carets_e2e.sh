#!/usr/bin/env bash
# End to end for the carets of the tabs: the real program under a virtual X display opens a song
# with lines of differing counts and lengths on the Piano, Piano 2 and Guitar tabs. On the first
# visit of each tab a letter is typed at once (it must land at the start of the first line), then
# the caret is moved (Piano: to the end of its third line; Piano 2: four characters of its second
# line selected; Guitar: two characters into its fourth line) and the next tab is clicked. Back on
# each tab a letter is typed again: it must land where the caret was left (over the selection on
# Piano 2), and once more after a second round. Ctrl+S saves; the song file, read with the
# program's own song reader, must hold each letter where it was typed.
#   tools/carets_e2e.sh [folder for the screenshots]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=carets_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run python3 import
e2e_build tw_song_lines

e2e_work
e2e_shots "${1:-}"
song="$work/Carets.twd"
"$build/bench/tw_song_lines" write "$song" 1 \
  "C, 48, 52, 55, x, x, x, x, x, x, x, Q" "*VOLUME 90" "G, 43, x, x, x, x, x, x, x, x, x, H" \
  --tab 2 "E, 52, x, x, x, x, x, x, x, x, x, W" "*TEMPO 90" "A, 45, 49, 52, x, x, x, x, x, x, x, E" \
  "D, 50, x, x, x, x, x, x, x, x, x, Q" "B" \
  --tab 6 "C, x, 3, 2, 0, 1, 0, Q" "G, 3, 2, 0, 0, 0, 3, H" "*TEMPO 90" "Am, x, 0, 2, 2, 1, 0, E"
export TARROWIND_SYNTH_WAV="$work/out.wav"

# The tabs' places on the tab bar of a 1024-wide window: PIANO, PIANO 2, GUITAR.
e2e_xvfb 1024x720 '
  set -e
  x="python3 $2"
  shots=$4
  "$0" "$1" > "$3/program.log" 2>&1 &
  pid=$!
  sleep 3
  piano() { $x click 28 318; }
  piano2() { $x click 78 318; }
  guitar() { $x click 288 318; }
  # The Piano tab is shown first.
  $x keys a
  import -window root "$shots/carets-piano-first.png"
  $x keys Down Down End
  piano2
  $x keys b
  import -window root "$shots/carets-piano2-first.png"
  $x keys Down Home Right Right Right shift+Right shift+Right shift+Right shift+Right
  guitar
  $x keys c
  $x keys Down Down Down Home Right Right
  piano
  $x keys d
  piano2
  $x keys e
  import -window root "$shots/carets-piano2-back.png"
  guitar
  $x keys f
  piano
  $x keys g
  guitar
  $x keys h
  piano2
  $x keys i
  $x keys ctrl+s
  sleep 1
  $x close
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$xdrive" "$work" "$shots"

status=0
check() {
  local got
  got=$("$build/bench/tw_song_lines" read "$song" "$1")
  echo "tab $1:"
  echo "$got"
  if [ "$got" != "$2" ]; then
    echo "carets_e2e: tab $1 does not hold the typed letters where the caret was" >&2
    status=1
  fi
}
check 1 $'aC, 48, 52, 55, x, x, x, x, x, x, x, Q\n*VOLUME 90\nG, 43, x, x, x, x, x, x, x, x, x, Hdg'
check 2 $'bE, 52, x, x, x, x, x, x, x, x, x, W\n*TEei90\nA, 45, 49, 52, x, x, x, x, x, x, x, E\nD, 50, x, x, x, x, x, x, x, x, x, Q\nB'
check 6 $'cC, x, 3, 2, 0, 1, 0, Q\nG, 3, 2, 0, 0, 0, 3, H\n*TEMPO 90\nAmfh, x, 0, 2, 2, 1, 0, E'
[ "$status" = 0 ] && echo "carets_e2e: every tab started at its first line and each came back with its caret and selection"
echo "screenshots: $shots"
exit "$status"
