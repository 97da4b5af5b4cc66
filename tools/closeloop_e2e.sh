#!/usr/bin/env bash
# End to end for a close during a looped play: the real program under a virtual X display opens a
# song of four quarter notes (two seconds a pass); a click ticks Loop, Ctrl+End and Enter add an
# empty line (the song is now modified), F2 plays it, and some way into the second pass the window
# is asked to close as a window manager asks. The save question ("Confirm") must open and stay open
# four seconds before No is pressed and the program ends. In the synthesizer's WAV the passes
# before the close must sound and, after the last note's release, everything from the close on
# must be silent: a loop pass going on behind the question would sound there.
#   tools/closeloop_e2e.sh [screenshot.png]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=closeloop_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
shot=${1:-}

e2e_need xvfb-run xdotool python3 import
e2e_build tw_song_lines

e2e_work
song="$work/Loop Test.twd"
"$build/bench/tw_song_lines" write "$song" 6 "C, x, 3, 2, 0, 1, 0, Q" "G, 3, 2, 0, 0, 0, 3, Q" \
  "Am, x, 0, 2, 2, 1, 0, Q" "F, 1, 3, 3, 2, 1, 1, Q"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

e2e_xvfb 1024x720 '
  set -e
  x="python3 $3"
  work=$4
  "$0" "$1" > "$work/program.log" 2>&1 &
  pid=$!
  now() { date +%s.%N; }
  sleep 3
  $x click 21 92                                   # Loop
  $x click 450 150                                 # into the editor
  $x keys ctrl+End Return                          # a new empty line: the song is modified
  sleep 0.5
  $x keys F2                                       # the key went down 0.25 s before this returns
  echo "f2 $(now)" > "$work/times"
  sleep 2.5                                        # a quarter into the second pass
  echo "close $(now)" >> "$work/times"
  $x close
  box=$(timeout 10 xdotool search --sync --onlyvisible --name "^Confirm$" | head -n 1) || true
  [ -n "$box" ] || { echo "closeloop_e2e: no save question after the close" >&2; kill "$pid"; exit 1; }
  echo "question: $(xdotool getwindowname "$box")"
  sleep 1
  import -window root "$2"
  sleep 3                                          # the question open four seconds in all
  xdotool windowfocus "$box" 2>/dev/null || true
  sleep 0.3
  xdotool key alt+n                                # No: close without saving
  e2e_closed "$pid" 150
  echo "exit $(now)" >> "$work/times"
' "$build/app/tarrowind" "$song" "$shot" "$xdrive" "$work"
echo "screenshot: $shot"

# Where the close falls in the WAV: the first note's onset is the key press, 0.25 s before the
# time taken after it. The second pass sounds just before the close; from 0.6 s after it (the
# release) to the question's end, silence.
PYTHONPATH="$e2e_wav" python3 - "$TARROWIND_SYNTH_WAV" "$work/times" <<'EOF'
import math, sys, e2e_wav
rate, frames = e2e_wav.read(sys.argv[1])
m = e2e_wav.mono(frames)
t = {k: float(v) for k, v in (line.split() for line in open(sys.argv[2]))}
onset = e2e_wav.rms_onset(m, rate)
if onset is None:
    sys.exit("closeloop_e2e: no sound in the WAV")
close = onset / rate + 0.25 + (t["close"] - t["f2"])
end = len(m) / rate
def rms(a, b):
    s = m[int(a * rate):int(b * rate)]
    return math.sqrt(sum(x * x for x in s) / max(len(s), 1))
def loudest(a, b):
    block = rate // 20
    return max((rms(a + i / 20, a + (i + 1) / 20) for i in range(int((b - a) * 20))), default=0.0)
before, after = rms(close - 0.4, close - 0.05), loudest(close + 0.6, min(close + 4.0, end))
print("wav: %.2f s; first sound at %.2f s; close at %.2f s" % (end, onset / rate, close))
print("the second pass just before the close: RMS %.0f; from 0.6 s after it for %.1f s: loudest 50 ms RMS %.1f"
      % (before, min(close + 4.0, end) - close - 0.6, after))
if before < 300:
    sys.exit("closeloop_e2e: the second pass did not sound before the close")
if end - close < 3.5:
    sys.exit("closeloop_e2e: the WAV ends too soon after the close")
if after > 30:
    sys.exit("closeloop_e2e: sound after the close")
print("closeloop_e2e: the loop sounded until the close and nothing sounded while the question was open")
EOF
