# Tiny X client for the end-to-end scripts: finds the Tarrowind window, gives it the focus,
# presses keys and clicks through the X server's XTest extension (libXtst, called through
# ctypes, so nothing needs installing) and asks a window to close as a window manager would.
#   python3 xdrive.py keys KEY...      focus the window, press each key ("F2", "Down", "ctrl+s")
#   python3 xdrive.py press KEY...     press each key where the focus is (a message box the window opened)
#   python3 xdrive.py click X Y [right] a left (or right) click at X, Y from the window's top left corner
#   python3 xdrive.py close [WINDOW]   WM_DELETE_WINDOW to the Tarrowind window or to WINDOW (an id)
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


def main_window():
    # The program's main window; it may still be on its way (ten seconds at most).
    for _ in range(100):
        win = find(root)
        if win:
            return win
        time.sleep(0.1)
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


def close(win):
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


cmd = sys.argv[1]
if cmd == "keys":
    X.XSetInputFocus(d, main_window(), 2, 0)  # RevertToParent, CurrentTime
    X.XSync(d, 0)
    time.sleep(0.3)
    for chord in sys.argv[2:]:
        press(chord)
elif cmd == "press":
    for chord in sys.argv[2:]:
        press(chord)
elif cmd == "click":
    x, y, child = C.c_int(), C.c_int(), C.c_ulong()
    X.XTranslateCoordinates(d, main_window(), root, int(sys.argv[2]), int(sys.argv[3]),
                            C.byref(x), C.byref(y), C.byref(child))
    button = 3 if sys.argv[4:5] == ["right"] else 1
    T.XTestFakeMotionEvent(d, -1, x.value, y.value, 0)
    T.XTestFakeButtonEvent(d, button, 1, 0)
    T.XTestFakeButtonEvent(d, button, 0, 0)
    X.XFlush(d)
    time.sleep(0.3)
elif cmd == "close":
    close(int(sys.argv[2]) if len(sys.argv) > 2 else main_window())
else:
    sys.exit("xdrive: unknown command " + cmd)
