#!/usr/bin/env bash
# End to end: the real program under a virtual X display opens a song given on its command
# line; a real F2 key press goes to its window through the X server's XTest extension (libXtst,
# called from Python's ctypes, so nothing needs installing); the embedded synthesizer renders
# to a WAV file; a screenshot is taken while the song plays; the window is closed as a window
# manager would close it; then the WAV must hold the song's three notes, in order, after a
# silence that shows it was the key that started them.
#   tools/play_e2e.sh [screenshot.png]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=play_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
shot=${1:-}

e2e_need xvfb-run python3 import
e2e_build tw_play_e2e_song

e2e_work
song="$work/Play Test.twd"
"$build/bench/tw_play_e2e_song" "$song"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

e2e_xvfb 1024x720 '
  "$0" "$1" > "$4/program.log" 2>&1 &
  pid=$!
  sleep 3                                   # start-up; the synthesizer renders silence meanwhile
  python3 "$3" keys F2                      # play the song from the start
  sleep 0.95                                # 1.2 s after the key, with the 0.25 s xdrive waits
  import -window root "$2"                  # during the second note
  sleep 3.5                                 # the rest of the song and its release
  python3 "$3" close
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$shot" "$xdrive" "$work"
echo "screenshot: $shot"

# The three notes after a silence that shows it was the key that started them.
PYTHONPATH="$e2e_wav" python3 -c 'import sys, e2e_wav
sys.exit(e2e_wav.play_song_heard(sys.argv[1], 1, "sound started before the key press could have"))' \
  "$TARROWIND_SYNTH_WAV"
