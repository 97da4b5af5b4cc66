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

e2e_need xvfb-run python3
e2e_build tw_play_e2e_song
[ -x "$build/app/tarrowind" ] && [ -x "$build/bench/tw_play_e2e_song" ] ||
  { echo "play_e2e: build tarrowind and tw_play_e2e_song first" >&2; exit 77; }

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

PYTHONPATH="$e2e_wav" python3 - "$TARROWIND_SYNTH_WAV" <<'PY'
# The three notes, one second each, must follow a silence, in order, each at its own pitch.
import math, sys
import e2e_wav
rate, frames = e2e_wav.read(sys.argv[1])
mono = e2e_wav.mono(frames)
print("wav: %.2f s at %d Hz" % (len(frames) / rate, rate))
block = rate // 100
onset = None
for i in range(0, len(mono) - block, block):
    rms = math.sqrt(sum(x * x for x in mono[i:i + block]) / block)
    if rms > 300:
        onset = i
        break
if onset is None:
    sys.exit("no sound in the WAV")
print("first sound at %.2f s" % (onset / rate))
if onset < rate:
    sys.exit("sound started before the key press could have")

def power(start, freq, length):
    return e2e_wav.power(mono, rate, start, length, freq)

notes = [("C5", 523.25), ("A4", 440.0), ("E4", 329.63)]
ok = True
for i, (name, f) in enumerate(notes):
    start = onset + int((i + 0.15) * rate)
    length = int(0.5 * rate)
    mine = power(start, f, length)
    others = [power(start, g, length) for _, g in notes if g != f]
    ratio = mine / max(max(others), 1.0)
    print("%s: %.0f Hz stronger than the other notes by %.0fx" % (name, f, ratio))
    ok = ok and ratio > 4
sys.exit(0 if ok else "the notes in the WAV are not the song's")
PY
