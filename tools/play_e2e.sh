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
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TW_BUILD_DIR:-$root/build}
shot=${1:-}

for tool in xvfb-run python3; do
  command -v "$tool" >/dev/null || { echo "play_e2e: $tool is not installed" >&2; exit 77; }
done
if [ -z "${TW_E2E_NO_BUILD:-}" ]; then
  cmake --build "$build" --target tarrowind tw_play_e2e_song >/dev/null
fi
[ -x "$build/app/tarrowind" ] && [ -x "$build/bench/tw_play_e2e_song" ] ||
  { echo "play_e2e: build tarrowind and tw_play_e2e_song first" >&2; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
song="$work/Play Test.twd"
"$build/bench/tw_play_e2e_song" "$song"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
# The song information would open over the window after the song is read: not for this run.
printf '[Options]\nShowMixerAfterFileOpen=0\n' > "$XDG_CONFIG_HOME/Tarrowind Version 2.ini"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

cat > "$work/x.py" <<'PY'
# Tiny X client: find the Tarrowind window, give it the focus, press keys, ask it to close.
import ctypes as C, sys, time
X = C.cdll.LoadLibrary("libX11.so.6")
T = C.cdll.LoadLibrary("libXtst.so.6")
X.XOpenDisplay.restype = C.c_void_p
X.XOpenDisplay.argtypes = [C.c_char_p]
d = X.XOpenDisplay(None)
if not d:
    sys.exit("no X display")
X.XDefaultRootWindow.restype = C.c_ulong
X.XDefaultRootWindow.argtypes = [C.c_void_p]
X.XQueryTree.argtypes = [C.c_void_p, C.c_ulong, C.POINTER(C.c_ulong), C.POINTER(C.c_ulong),
                         C.POINTER(C.POINTER(C.c_ulong)), C.POINTER(C.c_uint)]
X.XFetchName.argtypes = [C.c_void_p, C.c_ulong, C.POINTER(C.c_char_p)]
X.XSetInputFocus.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.c_ulong]
X.XKeysymToKeycode.argtypes = [C.c_void_p, C.c_ulong]
X.XKeysymToKeycode.restype = C.c_ubyte
X.XInternAtom.argtypes = [C.c_void_p, C.c_char_p, C.c_int]
X.XInternAtom.restype = C.c_ulong
X.XSendEvent.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.c_long, C.c_void_p]
X.XFlush.argtypes = [C.c_void_p]
X.XSync.argtypes = [C.c_void_p, C.c_int]
T.XTestFakeKeyEvent.argtypes = [C.c_void_p, C.c_uint, C.c_int, C.c_ulong]
root = X.XDefaultRootWindow(d)

def find(w):
    name = C.c_char_p()
    if X.XFetchName(d, w, C.byref(name)) and name.value and name.value.startswith(b"Tarrowind Version 2"):
        return w
    r, p, kids, n = C.c_ulong(), C.c_ulong(), C.POINTER(C.c_ulong)(), C.c_uint()
    if not X.XQueryTree(d, w, C.byref(r), C.byref(p), C.byref(kids), C.byref(n)):
        return None
    for i in range(n.value):
        found = find(kids[i])
        if found:
            return found
    return None

win = None
for _ in range(100):
    win = find(root)
    if win:
        break
    time.sleep(0.1)
if not win:
    sys.exit("the Tarrowind window did not appear")
cmd = sys.argv[1]
if cmd == "key":
    X.XSetInputFocus(d, win, 2, 0)  # RevertToParent, CurrentTime
    X.XSync(d, 0)
    time.sleep(0.3)
    code = X.XKeysymToKeycode(d, int(sys.argv[2], 16))
    T.XTestFakeKeyEvent(d, code, 1, 0)
    T.XTestFakeKeyEvent(d, code, 0, 0)
    X.XFlush(d)
elif cmd == "close":
    # ClientMessage WM_PROTOCOLS / WM_DELETE_WINDOW, as a window manager sends it.
    class Ev(C.Structure):
        _fields_ = [("type", C.c_int), ("serial", C.c_ulong), ("send_event", C.c_int), ("display", C.c_void_p),
                    ("window", C.c_ulong), ("message_type", C.c_ulong), ("format", C.c_int),
                    ("data", C.c_long * 5), ("pad", C.c_long * 12)]
    e = Ev()
    e.type = 33  # ClientMessage
    e.window = win
    e.message_type = X.XInternAtom(d, b"WM_PROTOCOLS", 0)
    e.format = 32
    e.data[0] = X.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
    X.XSendEvent(d, win, 0, 0, C.byref(e))
    X.XFlush(d)
PY

status=0
xvfb-run -a -s "-screen 0 1024x720x24" bash -c '
  "$0" "$1" > "$4/program.log" 2>&1 &
  pid=$!
  sleep 3                                   # start-up; the synthesizer renders silence meanwhile
  python3 "$3" key FFBF                     # F2: play the song from the start
  sleep 1.2
  import -window root "$2"                  # during the second note
  sleep 3.5                                 # the rest of the song and its release
  python3 "$3" close
  for i in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done   # a loaded machine closes slowly
  if kill -0 "$pid" 2>/dev/null; then echo "play_e2e: the program did not close" >&2; kill "$pid"; exit 1; fi
  wait "$pid"
' "$build/app/tarrowind" "$song" "$shot" "$work/x.py" "$work" || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/program.log" >&2 || true
  exit "$status"
fi
echo "screenshot: $shot"

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
if onset < rate:
    sys.exit("sound started before the key press could have")

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
