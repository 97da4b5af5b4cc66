#!/usr/bin/env bash
# End to end for the chord calculator: the real program under a virtual X display opens a song
# on its Guitar tab; Tools > Chord Calculator opens the calculator; Return calculates C Major;
# a click on the first voicing ("C Major, x, 3, 2, 0, x, x") shows and sounds it; the chord box
# is switched to note names and the screen is saved; "Close and use selected chords" inserts
# the voicing into the song; F2 plays the song; the window is closed without saving. The synthesizer renders to a WAV file, which
# must hold the voicing's notes C3, E3 and G3 (and not the notes around them), both when the
# click sounded it and when the song played it.
#   tools/chords_e2e.sh [screenshot.png]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=chords_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
shot=${1:-}

e2e_need xvfb-run xdotool import python3
e2e_build tw_chords_e2e_song

e2e_work
song="$work/Chord Test.twd"
"$build/bench/tw_chords_e2e_song" "$song"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

e2e_xvfb 1280x900 '
  set -e
  "$0" "$1" > "$3/program.log" 2>&1 &
  pid=$!
  sleep 3                                          # start-up; the synthesizer renders silence
  main=$(xdotool search --sync --onlyvisible --pid "$pid" --name "Tarrowind Version 2" | head -n 1)
  xdotool windowfocus "$main" 2>/dev/null
  sleep 0.5
  xdotool key --window "$main" alt+t               # the Tools menu
  sleep 0.5
  xdotool key c                                    # its "Chord Calculator..."
  sleep 1.5
  calc=$(xdotool search --onlyvisible --name "Tarrowind Chord Calculator - Guitar mode" | head -n 1)
  [ -n "$calc" ] || { echo "chords_e2e: the calculator did not open" >&2; kill "$pid"; exit 1; }
  # The clicks below hit places of the calculator as it lays itself out here; another layout
  # (other fonts) is not this script'"'"'s to guess.
  geometry=$(xdotool getwindowgeometry "$calc" | awk "/Geometry:/ { print \$2 }")
  position=$(xdotool getwindowgeometry "$calc" | awk "/Position:/ { print \$2 }")
  if [ "$geometry" != 870x568 ]; then
    echo "chords_e2e: the calculator is $geometry at $position, not the layout this script knows" >&2
    kill "$pid"; exit 77
  fi
  xdotool key --window "$calc" Return              # Calculate Chords (the default button)
  sleep 1.5
  # Places in the calculator as it lays itself out here (870 x 568), from its top left corner:
  # the first list line, the "Note" dot type and the "Close and use selected chords" button.
  ox=${position%,*}; oy=${position#*,}
  click() { xdotool mousemove $(($1 + ox)) $(($2 + oy)) sleep 0.5 click 1; }
  click 450 60                                     # shows and sounds the first voicing
  sleep 1.5
  click 709 354                                    # note names in the chord box
  sleep 0.5
  import -window root "$2"
  click 676 545                                    # insert it and close
  sleep 1
  xdotool windowfocus "$main" 2>/dev/null
  sleep 0.3
  xdotool key --window "$main" F2                  # play the song: the inserted line sounds
  sleep 2.5
  import -window root "$3/after.png"
  # Close the window as a window manager would and answer No to saving the song; again while
  # the program runs (a key or a close request can arrive before its window is ready for it).
  for i in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    confirm=$(xdotool search --onlyvisible --name "^Confirm$" 2>/dev/null | head -n 1) || true
    if [ -n "$confirm" ]; then
      xdotool windowfocus "$confirm" 2>/dev/null || true
      sleep 0.3
      xdotool key n
    else
      python3 "$4" close "$main"
    fi
    sleep 1
  done
  if kill -0 "$pid" 2>/dev/null; then import -window root "$3/stuck.png"; cp "$3/stuck.png" "${2%.png}-stuck.png"; xdotool search --onlyvisible --name "" getwindowname %@ > "${2%.png}-windows.txt" 2>&1 || true; fi
  e2e_closed "$pid" 50
' "$build/app/tarrowind" "$song" "$shot" "$work" "$xdrive"
echo "screenshot: $shot"

PYTHONPATH="$e2e_wav" python3 - "$TARROWIND_SYNTH_WAV" <<'PY'
# Two sounds after a silence (the click, then the song's line), each with C3, E3 and G3 well
# above the notes around them.
import math, sys
import e2e_wav
rate, frames = e2e_wav.read(sys.argv[1])
mono = e2e_wav.mono(frames)
print("wav: %.2f s at %d Hz" % (len(frames) / rate, rate))
block = rate // 100
loud = []
for i in range(0, len(mono) - block, block):
    loud.append(math.sqrt(sum(x * x for x in mono[i:i + block]) / block) > 300)
onsets = [i * block for i in range(len(loud)) if loud[i] and (i == 0 or not any(loud[max(0, i - 30):i]))]
print("sounds start at", ", ".join("%.2f s" % (o / rate) for o in onsets))
if len(onsets) < 2:
    sys.exit("expected the click's chord and the song's chord, found %d sounds" % len(onsets))
if onsets[0] < rate:
    sys.exit("sound started before the calculator could have sounded it")

def power(start, freq, length):
    return e2e_wav.power(mono, rate, start, length, freq)

chord = [("C3", 130.81), ("E3", 164.81), ("G3", 196.00)]
others = [("B2", 123.47), ("D3", 146.83), ("F3", 174.61), ("A3", 220.00)]
ok = True
for which, start in zip(("click", "song"), onsets[:2]):
    length = int(0.2 * rate)
    worst = max(power(start + block * 2, f, length) for _, f in others)
    for name, f in chord:
        ratio = power(start + block * 2, f, length) / max(worst, 1.0)
        print("%s: %s %.0f Hz stronger than the notes around it by %.0fx" % (which, name, f, ratio))
        ok = ok and ratio > 4
sys.exit(0 if ok else "the WAV does not hold the voicing's notes")
PY
