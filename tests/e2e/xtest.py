"""The X display and its XTest extension through ctypes, for the scripted
players: nothing to compile, and one process sends every event on time."""
import time
import ctypes
import ctypes.util


def open_xtest():
    """Returns (x11, xtst, display) for the display named by DISPLAY."""
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XStringToKeysym.restype = ctypes.c_ulong
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    return x11, xtst, x11.XOpenDisplay(None)


def keycode(x11, display, name):
    """The keycode of the key whose keysym is named (b"Return", "space")."""
    if isinstance(name, str):
        name = name.encode()
    return x11.XKeysymToKeycode(display, x11.XStringToKeysym(name))


def send_key(x11, xtst, display, key, down):
    """One key event, sent at once."""
    xtst.XTestFakeKeyEvent(display, key, 1 if down else 0, 0)
    x11.XFlush(display)


def press_return(x11, xtst, display):
    """Return pressed and released (the lit "play ..." row starts the song); the moment it went down."""
    enter = keycode(x11, display, "Return")
    start = time.monotonic()
    send_key(x11, xtst, display, enter, True)
    send_key(x11, xtst, display, enter, False)
    return start
