#!/usr/bin/env bash
# End to end for silenced tabs and the song's tempo: the real program under a virtual X display
# opens a song whose piano tab holds "*Tempo 60" after its first bar (the song is at 120) and
# whose drums play a wood block on every quarter for three bars.
#   - First run: a click on the DRUMS tab, a click on its Solo box, F2. The embedded synthesizer
#     renders into a WAV file, whose hits must be 0.5 s apart in the first bar and 1 s apart after
#     the piano's tempo change, while the piano's C5 is not heard.
#   - Second run: a click on the piano tab's Mute box, Alt+F M (File > Save Midi File), Return takes the
#     proposed name beside the song; the close question is answered No. The written file, read
#     with midicsv, must hold the tempo change at bar 2 and no piano note.
#   tools/tempo_e2e.sh [folder for the screenshots]
# The tab and the boxes are clicked where the window's layout puts them on a 1024 x 720 screen
# (the screenshots show it). TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1:
# use what is built.
set -euo pipefail
e2e_name=tempo_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run python3 import midicsv
e2e_build tw_play_e2e_song
e2e_work
e2e_shots "${1:-}"
song="$work/Tempo Test.twd"
"$build/bench/tw_play_e2e_song" "$song" tempo

e2e_xvfb 1024x720 '
  prog=$0 song=$1 work=$2 shots=$3 x="python3 $4"
  start() {  # start the program rendering into WAV $1
    TARROWIND_SYNTH_WAV="$1" "$prog" "$song" >> "$work/program.log" 2>&1 &
    pid=$!
    sleep 3
  }
  start "$work/solo.wav"
  $x click 497 319                       # the DRUMS tab
  sleep 1
  $x click 565 549                       # its Solo box
  import -window root "$shots/tempo_soloed.png"
  $x keys F2                             # the song from the start
  sleep 2.5
  import -window root "$shots/tempo_solo.png"
  sleep 9                                # the rest: 2 s + 8 s of hits and their release
  $x close
  e2e_closed "$pid" 150
  start "$work/mute.wav"
  $x click 497 549                       # the piano tab'"'"'s Mute box
  $x keys alt+f m                        # File > Save Midi File
  sleep 1.5
  import -window root "$shots/tempo_export.png"
  $x press Return                        # the proposed name, beside the song
  sleep 1
  $x close
  sleep 1
  $x press Tab space                     # Save changes? No
  e2e_closed "$pid" 150
' "$build/app/tarrowind" "$song" "$work" "$shots" "$xdrive"
echo "screenshots: $shots/tempo_soloed.png $shots/tempo_solo.png $shots/tempo_export.png"

PYTHONPATH="$e2e_wav" python3 - "$work/solo.wav" <<'PY'
import sys, e2e_wav
rate, frames = e2e_wav.read(sys.argv[1])
hits = e2e_wav.hits(e2e_wav.mono(frames), rate)
gaps = [b - a for a, b in zip(hits, hits[1:])]
print("drum hits at", ", ".join("%.3f" % t for t in hits), "s")
print("gaps:", ", ".join("%.3f" % g for g in gaps), "s")
want = [0.5] * 4 + [1.0] * 7
if len(gaps) != len(want) or any(abs(g - w) > 0.02 for g, w in zip(gaps, want)):
    sys.exit("tempo_e2e: the soloed drums did not follow the piano tab's tempo change")
# The piano's C5 must not sound: next to D5, which nothing plays, in the first bar.
m = e2e_wav.mono(frames)
start, length = int((hits[0] + 0.1) * rate), int(0.35 * rate)
c5 = e2e_wav.power(m, rate, start, length, 523.25) / max(e2e_wav.power(m, rate, start, length, 587.33), 1.0)
print("C5 against D5 in the first bar: %.1fx" % c5)
if c5 > 4:
    sys.exit("tempo_e2e: the piano sounded though the drums were soloed")
PY

midi="$work/Tempo Test.mid"
[ -f "$midi" ] || { echo "tempo_e2e: no MIDI file was written" >&2; exit 1; }
csv=$(midicsv "$midi")
echo "tempo events of the export:"
grep ', Tempo,' <<<"$csv"
if ! grep -q '^1, 768, Tempo, 1000000$' <<<"$csv" || grep -q 'Note_on_c, 0,' <<<"$csv"; then
  echo "tempo_e2e: the export with the piano muted lost the tempo change or kept the piano" >&2
  exit 1
fi
echo "tempo_e2e: silenced, the piano tab still set the song's tempo, in play and in the export"
