#!/usr/bin/env bash
# End to end for the drum grid across time signatures: the real program under a virtual X display
# opens a song without drums on its Drums tab. Clicks make a new pattern and set the low wood
# block on steps 1, 13 and 15 of the 4/4 bar; the time signature label opens its dialog, where the
# keys set 3/4 (3, Return) and then 7/8 (7, Tab, 8, Return). Loop Pattern is unticked, the grid's
# own Play plays one pass, then F2 plays the song. A screenshot is taken in each time signature.
# The embedded synthesizer renders into a WAV file, in which, after the three clicks' own sounds,
# each pass must hold the three hits, 0.75 s and 0.875 s after the first (7/8 at 120: steps of
# 62.5 ms). The grid's picture in 7/8 (timesig_78.png) shows 28 columns with the cells on 1, 13
# and 15.
#   tools/timesig_e2e.sh [folder for the screenshots]
# The controls are clicked where the window's layout puts them at its start size on a 1600 x 900
# screen (the screenshots show it). TW_BUILD_DIR: the build folder (default build);
# TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=timesig_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run python3 import
e2e_build tw_song_lines
e2e_work
e2e_shots "${1:-}"
song="$work/Time Signature Test.twd"
"$build/bench/tw_song_lines" write "$song" 10
export TARROWIND_SYNTH_WAV="$work/out.wav"

e2e_xvfb 1600x900 '
  prog=$0 song=$1 work=$2 shots=$3 x="python3 $4"
  "$prog" "$song" > "$work/program.log" 2>&1 &
  pid=$!
  sleep 3
  $x click 747 382                       # New Pattern
  for step in 1 13 15; do                # the low wood block (row 7) on steps 1, 13, 15
    $x click $((119 + 32 * step)) 464
  done
  import -window root "$shots/timesig_44.png"
  $x click 50 209                        # the time signature label: its dialog
  sleep 1
  $x press 3 Return                      # 3/4
  sleep 0.5
  import -window root "$shots/timesig_34.png"
  $x click 50 209
  sleep 1
  $x press 7 Tab 8 Return                # 7/8
  sleep 0.5
  import -window root "$shots/timesig_78.png"
  $x click 704 459                       # Loop Pattern off
  $x click 678 571                       # the grid'"'"'s Play: one pass
  sleep 3
  $x keys F2                             # the song: its one bar
  sleep 3
  $x close
  sleep 1
  $x press Tab space                     # Save changes? No
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$work" "$shots" "$xdrive"
echo "screenshots: $shots/timesig_44.png $shots/timesig_34.png $shots/timesig_78.png"

PYTHONPATH="$e2e_wav" python3 - "$TARROWIND_SYNTH_WAV" <<'PY'
import sys, e2e_wav
rate, frames = e2e_wav.read(sys.argv[1])
hits = e2e_wav.hits(e2e_wav.mono(frames), rate)
print("hits at", ", ".join("%.3f" % t for t in hits), "s")
ok = len(hits) == 9  # each of the three clicks sounds its cell, then the two passes
for name, first in (("grid Play", 3), ("F2", 6)):
    if not ok:
        break
    after = [t - hits[first] for t in hits[first + 1:first + 3]]
    print("%s: steps 13 and 15 at %s s after step 1" % (name, ", ".join("%.3f" % t for t in after)))
    ok = abs(after[0] - 0.75) < 0.02 and abs(after[1] - 0.875) < 0.02
if not ok:
    sys.exit("timesig_e2e: in 7/8 the grid's Play and F2 did not both play steps 1, 13 and 15")
PY
echo "timesig_e2e: after 4/4, 3/4 and 7/8 the grid's Play and the song played the pattern's steps 1, 13 and 15"
