#!/usr/bin/env bash
# End to end, in the real program under a virtual X display, with real key presses (xdotool's
# XTest): the welcome screen lists a recent song, Shift+Tab and Space choose "Open Recent File
# Below" and the song opens; the song information that follows it is closed with Enter; Ctrl+T
# opens the options, Down picks the synthesizer by its own entry and Enter switches to it; F2
# plays. The synthesizer's WAV must hold the song's three notes after the silence of all that,
# and the settings written at the end must keep the chosen device.
#   tools/options_e2e.sh [folder for the screenshots]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=options_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run python3 xdotool import
e2e_build tw_play_e2e_song

e2e_work
song="$work/Play Test.twd"
"$build/bench/tw_play_e2e_song" "$song"
# A new user's welcome screen listing the song; the song information shows after it is read.
printf '[Options]\nShowNewUserMessage=1\n[Recent]\nRecentFile0=%s\n' "$song" > "$ini"
export TARROWIND_SYNTH_WAV="$work/out.wav"
e2e_shots "${1:-}"

e2e_xvfb 1024x720 '
  set -u
  program=$0 shots=$1 work=$2 xdrive=$3
  "$program" > "$work/program.log" 2>&1 &
  pid=$!
  fail() { echo "options_e2e: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
  # Waits for a window whose title matches, gives it the focus and prints its id.
  window() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1) || return 1
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    sleep 0.4
    echo "$id"
  }
  window "^Welcome To Tarrowind" >/dev/null || fail "the welcome screen did not appear"
  sleep 1
  import -window root "$shots/welcome.png"
  xdotool key shift+Tab space                # "Open Recent File Below", the newest song selected
  window "^Song Information" >/dev/null || fail "the song information did not follow the song"
  main=$(xdotool search --onlyvisible --name "^Tarrowind Version 2" | head -n 1)
  title=$(xdotool getwindowname "$main")
  echo "title: $title"
  [ "$title" = "Tarrowind Version 2  -  Play Test.twd" ] || fail "the recent song did not open"
  sleep 0.5
  import -window root "$shots/song-information.png"
  xdotool key Return                         # OK
  sleep 0.8
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  sleep 0.3
  xdotool key ctrl+t
  window "^Program Options" >/dev/null || fail "Ctrl+T did not open the options"
  xdotool key Down                           # the synthesizer under its own name
  sleep 0.5
  import -window root "$shots/options.png"
  xdotool key Return                         # OK: the port goes over to it
  sleep 1
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  sleep 0.3
  xdotool key F2
  sleep 1.2
  import -window root "$shots/playing.png"
  sleep 3.5
  python3 "$xdrive" close "$main"            # as a window manager asks a window to close
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$shots" "$work" "$xdrive"
device=$(sed -n 's/^Device=//p' "$ini")
echo "device kept in the settings: $device"
[ "$device" = 0 ] || { echo "options_e2e: the chosen device was not kept" >&2; exit 1; }
echo "screenshots: $shots"

# The three notes after the silence of the welcome screen, the song information and the options.
PYTHONPATH="$e2e_wav" python3 -c 'import sys, e2e_wav
sys.exit(e2e_wav.play_song_heard(sys.argv[1], 3, "sound started before the song could have been played"))' \
  "$TARROWIND_SYNTH_WAV"
