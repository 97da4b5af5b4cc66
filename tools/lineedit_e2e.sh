#!/usr/bin/env bash
# End to end: the real program under a virtual X display opens a song of three guitar lines; real
# key presses and a click go to its window through the X server's XTest extension (libXtst,
# called from Python's ctypes): a click in the editor, Ctrl+Home and Shift+Down twice select the
# first two lines, Alt+D opens the Editor menu, the keys walk to Transpose Higher > 1 and press
# it, Ctrl+S saves. A screenshot is taken with the Editor menu and its Transpose Higher
# sub-menu open. Then the song file, read with the program's own song reader, must hold the two
# lines one half step higher and the third line as it was.
#   tools/lineedit_e2e.sh [screenshot.png]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TW_BUILD_DIR:-$root/build}
shot=${1:-}

for tool in xvfb-run python3 import; do
  command -v "$tool" >/dev/null || { echo "lineedit_e2e: $tool is not installed" >&2; exit 77; }
done
if [ -z "${TW_E2E_NO_BUILD:-}" ]; then
  cmake --build "$build" --target tarrowind tw_song_lines >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
song="$work/Transpose Test.twd"
"$build/bench/tw_song_lines" write "$song" 6 \
  "C, x, 3, 2, 0, 1, 0, Q" "G, 3, 2, 0, 0, 0, 3, H" "E, 0, 2, 2, 1, 0, 0, Q"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
export TARROWIND_SYNTH_WAV="$work/out.wav"
[ -n "$shot" ] && shot=$(realpath -m "$shot") || shot="$work/shot.png"

cat > "$work/x.py" <<'PY'
# Tiny X client: find the Tarrowind window, give it the focus, click, press keys, ask it to close.
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
X.XStringToKeysym.argtypes = [C.c_char_p]
X.XStringToKeysym.restype = C.c_ulong
X.XKeysymToKeycode.argtypes = [C.c_void_p, C.c_ulong]
X.XKeysymToKeycode.restype = C.c_ubyte
X.XTranslateCoordinates.argtypes = [C.c_void_p, C.c_ulong, C.c_ulong, C.c_int, C.c_int,
                                    C.POINTER(C.c_int), C.POINTER(C.c_int), C.POINTER(C.c_ulong)]
X.XInternAtom.argtypes = [C.c_void_p, C.c_char_p, C.c_int]
X.XInternAtom.restype = C.c_ulong
X.XSendEvent.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.c_long, C.c_void_p]
X.XFlush.argtypes = [C.c_void_p]
X.XSync.argtypes = [C.c_void_p, C.c_int]
T.XTestFakeKeyEvent.argtypes = [C.c_void_p, C.c_uint, C.c_int, C.c_ulong]
T.XTestFakeMotionEvent.argtypes = [C.c_void_p, C.c_int, C.c_int, C.c_int, C.c_ulong]
T.XTestFakeButtonEvent.argtypes = [C.c_void_p, C.c_uint, C.c_int, C.c_ulong]
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

def code(name):
    return X.XKeysymToKeycode(d, X.XStringToKeysym(name.encode()))

MODS = {"ctrl": "Control_L", "shift": "Shift_L", "alt": "Alt_L"}

def press(chord):
    # "ctrl+shift+Home": the modifiers down, the key down and up, the modifiers up.
    *mods, key = chord.split("+")
    for m in mods:
        T.XTestFakeKeyEvent(d, code(MODS[m]), 1, 0)
    T.XTestFakeKeyEvent(d, code(key), 1, 0)
    T.XTestFakeKeyEvent(d, code(key), 0, 0)
    for m in reversed(mods):
        T.XTestFakeKeyEvent(d, code(MODS[m]), 0, 0)
    X.XFlush(d)
    time.sleep(0.25)

cmd = sys.argv[1]
if cmd == "keys":
    X.XSetInputFocus(d, win, 2, 0)  # RevertToParent, CurrentTime
    X.XSync(d, 0)
    time.sleep(0.3)
    for chord in sys.argv[2:]:
        press(chord)
elif cmd == "click":
    # A left click at a point of the window (x, y from its top left corner).
    x, y, child = C.c_int(), C.c_int(), C.c_ulong()
    X.XTranslateCoordinates(d, win, root, int(sys.argv[2]), int(sys.argv[3]), C.byref(x), C.byref(y), C.byref(child))
    T.XTestFakeMotionEvent(d, -1, x.value, y.value, 0)
    T.XTestFakeButtonEvent(d, 1, 1, 0)
    T.XTestFakeButtonEvent(d, 1, 0, 0)
    X.XFlush(d)
    time.sleep(0.3)
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
  x="python3 $3"
  "$0" "$1" > "$4/program.log" 2>&1 &
  pid=$!
  sleep 3
  $x click 450 150                                    # into the editor
  $x keys ctrl+Home shift+Down shift+Down             # the first two lines
  $x keys alt+d Down Right                            # Editor > Transpose Higher
  import -window root "$2"
  $x keys Down Down Down Down Down Down Down Down Down Down Down Return   # from "12" down to "1"
  sleep 0.5
  $x keys ctrl+s
  sleep 1
  $x close
  for i in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then echo "lineedit_e2e: the program did not close" >&2; kill "$pid"; exit 1; fi
  wait "$pid"
' "$build/app/tarrowind" "$song" "$shot" "$work/x.py" "$work" || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/program.log" >&2 || true
  exit "$status"
fi
echo "screenshot: $shot"

got=$("$build/bench/tw_song_lines" read "$song" 6)
want=$'C, x, 4, 3, 1, 2, 1, Q\nG, 4, 3, 1, 1, 1, 4, H\nE, 0, 2, 2, 1, 0, 0, Q'
echo "saved lines:"
echo "$got"
if [ "$got" != "$want" ]; then
  echo "lineedit_e2e: the saved lines are not the first two transposed one half step up" >&2
  exit 1
fi
echo "lineedit_e2e: the two selected lines were saved one half step higher"
