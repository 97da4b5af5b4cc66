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
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TW_BUILD_DIR:-$root/build}
shots=${1:-}

for tool in xvfb-run python3 xdotool import; do
  command -v "$tool" >/dev/null || { echo "options_e2e: $tool is not installed" >&2; exit 77; }
done
if [ -z "${TW_E2E_NO_BUILD:-}" ]; then
  cmake --build "$build" --target tarrowind tw_play_e2e_song >/dev/null
fi
[ -x "$build/app/tarrowind" ] && [ -x "$build/bench/tw_play_e2e_song" ] ||
  { echo "options_e2e: build tarrowind and tw_play_e2e_song first" >&2; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
song="$work/Play Test.twd"
"$build/bench/tw_play_e2e_song" "$song"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
ini="$XDG_CONFIG_HOME/Tarrowind Version 2.ini"
printf '[Options]\nShowNewUserMessage=1\n[Recent]\nRecentFile0=%s\n' "$song" > "$ini"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shots" ] && { mkdir -p "$shots"; shots=$(realpath "$shots"); } || shots="$work"

# WM_DELETE_WINDOW to the window given, as a window manager sends it.
close='
import ctypes as C, sys
X = C.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = C.c_void_p
X.XOpenDisplay.argtypes = [C.c_char_p]
X.XInternAtom.argtypes = [C.c_void_p, C.c_char_p, C.c_int]
X.XInternAtom.restype = C.c_ulong
X.XSendEvent.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.c_long, C.c_void_p]
X.XFlush.argtypes = [C.c_void_p]
class Ev(C.Structure):
    _fields_ = [("type", C.c_int), ("serial", C.c_ulong), ("send_event", C.c_int), ("display", C.c_void_p),
                ("window", C.c_ulong), ("message_type", C.c_ulong), ("format", C.c_int),
                ("data", C.c_long * 5), ("pad", C.c_long * 12)]
d = X.XOpenDisplay(None)
e = Ev()
e.type = 33
e.window = int(sys.argv[1])
e.message_type = X.XInternAtom(d, b"WM_PROTOCOLS", 0)
e.format = 32
e.data[0] = X.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
X.XSendEvent(d, e.window, 0, 0, C.byref(e))
X.XFlush(d)
'
export close

status=0
xvfb-run -a -s "-screen 0 1024x720x24" bash -c '
  set -u
  program=$0 shots=$1 log=$2
  "$program" > "$log" 2>&1 &
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
  echo "title: $(xdotool getwindowname "$main")"
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
  python3 -c "$close" "$main"                # as a window manager asks a window to close
  for i in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then echo "options_e2e: the program did not close" >&2; kill "$pid"; exit 1; fi
  wait "$pid"
' "$build/app/tarrowind" "$shots" "$work/program.log" > "$work/run.log" 2>&1 || status=$?
cat "$work/run.log"
if [ "$status" -ne 0 ]; then
  cat "$work/program.log" >&2 || true
  exit "$status"
fi
grep -q "^title: Tarrowind Version 2  -  Play Test.twd$" "$work/run.log" || { echo "options_e2e: the recent song did not open" >&2; exit 1; }
device=$(sed -n 's/^Device=//p' "$ini")
echo "device kept in the settings: $device"
[ "$device" = 0 ] || { echo "options_e2e: the chosen device was not kept" >&2; exit 1; }
echo "screenshots: $shots"

python3 - "$TARROWIND_SYNTH_WAV" <<'PY'
# The three notes, one second each, must follow a silence, in order, each at its own pitch.
import math, struct, sys, wave
w = wave.open(sys.argv[1], "rb")
rate, channels, n = w.getframerate(), w.getnchannels(), w.getnframes()
raw = w.readframes(n)
mono = [sum(s) / channels for s in zip(*[iter(struct.unpack("<%dh" % (n * channels), raw))] * channels)]
print("wav: %.2f s at %d Hz" % (n / rate, rate))
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
if onset < 3 * rate:
    sys.exit("sound started before the song could have been played")

def power(start, freq, length):
    s = mono[start:start + length]
    k = 2 * math.cos(2 * math.pi * freq / rate)
    a = b = 0.0
    for x in s:
        a, b = x + k * a - b, a
    return a * a + b * b - k * a * b

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
