# Displays of their own for the end-to-end tests that need other screens than
# their lane's: several monitors, another DPI, a work area that
# leaves room for a taskbar. Sourced after tools/wine-env.sh (tests/e2e/lib.sh
# does that):
#
#   display_start 1280x1024+1024+256 1024x768+0+0  # X server and prefix of their own;
#                                                  # monitors WxH+X+Y, the primary first
#   display_set_dpi 192                            # for the programs started from now on
#   ... run the program, end it ...
#   umbrant_end_session                            # Wine reads the monitors once a session
#   display_set_monitors 1280x1024+1024+256        # the second monitor unplugged
#   display_stop
#
# How Wine sees the monitors. Xvfb's "+xinerama -screen 0 ... -screen 1 ..."
# gives two Xinerama heads, but both at (0, 0), one over the other, and Wine
# reports them only with its XRandR support off. So the display is one large
# screen cut into RandR monitors, which the server also reports as Xinerama
# heads, and the prefix has UseXRandR=N, so that Wine takes its monitors from
# Xinerama (through XRandR it would see Xvfb's single output). Wine puts the
# primary monitor's top-left corner at (0, 0): the others get coordinates
# relative to it, negative ones when they lie left of it or above it.
#
# Wine reads the monitors and the work areas when the first program of a
# session in a prefix starts and keeps them until the session ends; a session
# also stays on the display it started on. Hence the prefix of its own, and
# umbrant_end_session (tools/wine-env.sh) before the monitors change.

DISPLAY_XVFB_PID=
DISPLAY_FIRST_NUMBER=120  # apart from the numbers of the lanes' displays

# Sets the RandR monitors of $DISPLAY: the first is the primary one and takes
# the screen's output, the others are monitors without outputs.
display_set_monitors() {
    python3 - "$@" <<'EOF'
import ctypes, re, sys

x11 = ctypes.CDLL('libX11.so.6')
xrandr = ctypes.CDLL('libXrandr.so.2')


class MonitorInfo(ctypes.Structure):
    _fields_ = [('name', ctypes.c_ulong), ('primary', ctypes.c_int), ('automatic', ctypes.c_int),
                ('noutput', ctypes.c_int), ('x', ctypes.c_int), ('y', ctypes.c_int), ('width', ctypes.c_int),
                ('height', ctypes.c_int), ('mwidth', ctypes.c_int), ('mheight', ctypes.c_int),
                ('outputs', ctypes.POINTER(ctypes.c_ulong))]


display, window, monitors = ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(MonitorInfo)
x11.XOpenDisplay.restype = display
x11.XDefaultRootWindow.argtypes, x11.XDefaultRootWindow.restype = [display], window
x11.XInternAtom.argtypes, x11.XInternAtom.restype = [display, ctypes.c_char_p, ctypes.c_int], ctypes.c_ulong
x11.XSync.argtypes = [display, ctypes.c_int]
x11.XCloseDisplay.argtypes = [display]
xrandr.XRRGetMonitors.argtypes = [display, window, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
xrandr.XRRGetMonitors.restype = monitors
xrandr.XRRAllocateMonitor.argtypes, xrandr.XRRAllocateMonitor.restype = [display, ctypes.c_int], monitors
xrandr.XRRSetMonitor.argtypes = [display, window, monitors]
xrandr.XRRDeleteMonitor.argtypes = [display, window, ctypes.c_ulong]

dpy = x11.XOpenDisplay(None)
if not dpy:
    sys.exit('no X display')
root = x11.XDefaultRootWindow(dpy)
count = ctypes.c_int()
present = xrandr.XRRGetMonitors(dpy, root, 0, ctypes.byref(count))
output = None
for i in range(count.value):
    if present[i].noutput and output is None:
        output = present[i].outputs[0]
    if not present[i].automatic:
        xrandr.XRRDeleteMonitor(dpy, root, present[i].name)
for i, geometry in enumerate(sys.argv[1:]):
    w, h, x, y = map(int, re.fullmatch(r'(\d+)x(\d+)\+(\d+)\+(\d+)', geometry).groups())
    monitor = xrandr.XRRAllocateMonitor(dpy, 1 if i == 0 else 0)
    m = monitor[0]
    m.name = x11.XInternAtom(dpy, b'MONITOR%d' % i, 0)
    m.primary = int(i == 0)
    m.x, m.y, m.width, m.height = x, y, w, h
    m.mwidth, m.mheight = w * 254 // 960, h * 254 // 960  # millimetres at 96 dpi
    if i == 0:
        m.outputs[0] = output
    xrandr.XRRSetMonitor(dpy, root, monitor)
x11.XSync(dpy, 0)
x11.XCloseDisplay(dpy)
EOF
}

# Starts an X server of its own, as large as the monitors WxH+X+Y together,
# with those monitors, and a Wine prefix of its own that takes them; exports
# DISPLAY and WINEPREFIX. The server does not reset when its last client
# leaves, which would drop the monitors.
display_start() {
    local geometry width=0 height=0 w h x y num
    for geometry in "$@"; do
        IFS='x+' read -r w h x y <<< "$geometry"
        (( x + w > width )) && width=$(( x + w ))
        (( y + h > height )) && height=$(( y + h ))
    done
    umbrant_start_xvfb $DISPLAY_FIRST_NUMBER -noreset -screen 0 "${width}x${height}x24" || return 1
    DISPLAY_XVFB_PID=$UMBRANT_XVFB_PID
    export DISPLAY=:$UMBRANT_XVFB_NUMBER
    display_set_monitors "$@" || return 1
    export WINEPREFIX=$UMBRANT_LANE_DIR/wineprefix-displays
    umbrant_ensure_prefix
    "$UMBRANT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
    umbrant_end_session
}

# The DPI of the programs started from now on: the user's LogPixels, which
# comes before the machine's (HKCC\Software\Fonts\LogPixels).
display_set_dpi() {
    "$UMBRANT_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# The work area, in X root coordinates (x y width height), as a window manager
# with a panel announces it; Wine cuts each monitor's work area out of it at
# the start of the next session.
display_set_work_area() {
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$1, $2, $3, $4"
}

# Ends the prefix's Wine session and the X server.
display_stop() {
    umbrant_end_session
    [ -n "$DISPLAY_XVFB_PID" ] && kill "$DISPLAY_XVFB_PID" 2>/dev/null
    DISPLAY_XVFB_PID=
}
