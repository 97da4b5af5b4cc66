#!/usr/bin/env bash
# Starts Tarrowind under a virtual X display with a song file on its command line and
# saves a picture of the screen.
#   tools/screenshot.sh out.png [song.twd]
# TW_SCREEN sets the virtual screen (default 1024x720); TW_WINDOW=WxH resizes the window
# before the picture is taken, TW_WINDOW=max fills the screen with it; TW_SUMMARY=1 lets the
# song information that follows the song's loading stay open for the picture.
# Without a song it writes the demo song (bench/tw_demo_song) and opens that. The
# settings and the untitled song go to a temporary home, so the user's own stay untouched.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TW_BUILD_DIR:-$root/build}
out=${1:?usage: $0 out.png [song.twd]}
song=${2:-}
wait_s=${TW_SCREENSHOT_WAIT:-4}
screen=${TW_SCREEN:-1024x720}
window=${TW_WINDOW:-}

cmake --build "$build" --target tarrowind tw_demo_song >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$song" ]; then
  song="$work/Demo Song.twd"
  "$build/bench/tw_demo_song" "$song"
fi
out=$(realpath -m "$out")

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
# The song information opens over the window after a song is read; TW_SUMMARY=1 keeps it.
[ -n "${TW_SUMMARY:-}" ] || printf '[Options]\nShowMixerAfterFileOpen=0\n' > "$XDG_CONFIG_HOME/Tarrowind Version 2.ini"
# The embedded synthesizer renders to a file: no sound card is needed.
export TARROWIND_SYNTH_WAV="$work/out.wav"

xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
  "$0" "$1" &
  pid=$!
  sleep "$3"
  if [ -n "$4" ]; then
    size=$4
    [ "$size" = max ] && size=$(xdpyinfo | awk "/dimensions:/ { print \$2 }")
    id=$(xdotool search --sync --onlyvisible --pid "$pid" --name Tarrowind | head -n 1)
    xdotool windowmove "$id" 0 0 windowsize "$id" "${size%x*}" "${size#*x}"
    sleep 1
  fi
  import -window root "$2"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' "$build/app/tarrowind" "$song" "$out" "$wait_s" "$window"
echo "saved $out"
