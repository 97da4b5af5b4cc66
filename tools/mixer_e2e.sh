#!/usr/bin/env bash
# End to end for the mixer: the real program under a virtual X display opens a song whose piano
# tab plays at volume 40, plays it (F2), then the mouse presses the mixer's volume up-arrow 60
# times and the song key's up-arrow twice, plays it again, saves it (Ctrl+S) and leaves through
# File > Exit. A second run opens the saved song and plays it once more. The embedded
# synthesizer renders each run into a WAV file; then:
#   - the saved file holds volume 100 and song key +2;
#   - the first note after the arrows is louder (peak level) and a whole tone higher (D5, not C5);
#   - the reopened song sounds as it did after the arrows.
#   tools/mixer_e2e.sh [folder for the screenshots]
# The arrows are clicked where the window's layout puts them at 815 x 599 (the screenshots show
# it). TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=mixer_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run python3 xdotool import
e2e_build tw_play_e2e_song
e2e_work
e2e_shots "${1:-}"
song="$work/Mixer Test.twd"
"$build/bench/tw_play_e2e_song" "$song"

# The piano tab (the first record) at volume 40: the file is a raw deflate stream of the image,
# whose tab records are 4,288 bytes each with the volume at byte 3,988.
python3 - "$song" <<'PY'
import struct, sys, zlib
path = sys.argv[1]
image = bytearray(zlib.decompress(open(path, "rb").read(), -15))
struct.pack_into("<i", image, 3988, 40)
c = zlib.compressobj(9, zlib.DEFLATED, -15)
open(path, "wb").write(c.compress(bytes(image)) + c.flush())
PY

e2e_xvfb 1024x720 '
  prog=$0 song=$1 work=$2 shots=$3
  start() {  # start the program rendering into WAV $1; the window at 0,0 sized 815 x 599
    TARROWIND_SYNTH_WAV="$1" "$prog" "$song" >> "$work/program.log" 2>&1 &
    pid=$!
    sleep 3
    id=$(xdotool search --sync --onlyvisible --pid "$pid" --name Tarrowind | head -n 1)
    xdotool windowmove "$id" 0 0 windowsize "$id" 815 599
    xdotool windowfocus --sync "$id"
    sleep 1
  }
  quit() {  # File > Exit; the program must end by itself
    xdotool key --delay 400 alt+f x
    e2e_closed "$pid" 50
  }
  start "$work/first.wav"
  xdotool key F2; sleep 4.5                               # the song at volume 40
  import -window root "$shots/mixer_before.png"
  xdotool mousemove 221 569 click --repeat 60 --delay 80 1  # the volume up-arrow: 40 -> 100
  xdotool mousemove 117 164 click --repeat 2 --delay 200 1  # the song key up-arrow: 0 -> 2
  sleep 0.5
  import -window root "$shots/mixer_after.png"
  xdotool key F2; sleep 4.5                               # the song again
  xdotool key ctrl+s; sleep 1
  quit
  start "$work/reopened.wav"
  import -window root "$shots/mixer_reopened.png"
  xdotool key F2; sleep 4.5
  quit
' "$build/app/tarrowind" "$song" "$work" "$shots"
echo "screenshots: $shots/mixer_before.png $shots/mixer_after.png $shots/mixer_reopened.png"

PYTHONPATH="$e2e_wav" python3 - "$song" "$work/first.wav" "$work/reopened.wav" <<'PY'
import math, struct, sys, zlib
import e2e_wav
song, first, reopened = sys.argv[1:4]

image = zlib.decompress(open(song, "rb").read(), -15)
volume = struct.unpack_from("<i", image, 3988)[0]
pos = 16 * 4288
for tab in range(16):                      # the bodies: n lines of 255 bytes (none is Drums here
    kind = image[tab * 4288 + 261:tab * 4288 + 261 + image[tab * 4288 + 260]]
    if kind == b"Drums":
        flag = image[pos]; pos += 1
        assert flag == 0, "the test song has no drum patterns"
        continue
    n = struct.unpack_from("<i", image, pos)[0]
    pos += 4 + 255 * n
pos += 4 + 255                             # tempo, time signature
key = struct.unpack_from("<i", image, pos)[0]
print("saved song: piano volume %d, song key %+d" % (volume, key))

def read(path):
    rate, frames = e2e_wav.read(path)
    return rate, e2e_wav.peaks(frames), e2e_wav.mono(frames)

def onsets(rate, level):
    # The start of every sound that follows at least a second of silence.
    block, found, quiet = rate // 100, [], rate
    for i in range(0, len(level) - block, block):
        loud = max(level[i:i + block]) > 10  # silence renders as 0 or 1
        if loud and quiet >= rate:
            found.append(i)
        quiet = 0 if loud else quiet + block
    return found

def first_note(rate, level, mono, start):
    # Peak level of the first note (its first 0.9 s) and which of C5 and D5 it sounds.
    peak = max(level[start:start + int(0.9 * rate)])
    s, n = start + int(0.1 * rate), int(0.6 * rate)
    c5, d5 = e2e_wav.power(mono, rate, s, n, 523.25), e2e_wav.power(mono, rate, s, n, 587.33)
    return peak, ("D5" if d5 > 4 * c5 else "C5" if c5 > 4 * d5 else "?")

rate, level, mono = read(first)
plays = onsets(rate, level)
print("first run: sounds start at", ", ".join("%.2f s" % (p / rate) for p in plays))
ok = len(plays) == 2
if ok:
    (p1, n1), (p2, n2) = first_note(rate, level, mono, plays[0]), first_note(rate, level, mono, plays[1])
    print("before the arrows: %s, peak %d; after: %s, peak %d (%.2fx, %.1f dB)"
          % (n1, p1, n2, p2, p2 / p1, 20 * math.log10(p2 / p1)))
    rate, level, mono = read(reopened)
    again = onsets(rate, level)
    ok = len(again) == 1
    if ok:
        p3, n3 = first_note(rate, level, mono, again[0])
        print("reopened: %s, peak %d (%.2fx the level after the arrows)" % (n3, p3, p3 / p2))
        ok = volume == 100 and key == 2 and n1 == "C5" and n2 == "D5" and n3 == "D5" and p2 > 3 * p1 \
             and abs(p3 / p2 - 1) < 0.1
sys.exit(0 if ok else "mixer_e2e: the mixer's changes were not heard, saved or reopened as expected")
PY
