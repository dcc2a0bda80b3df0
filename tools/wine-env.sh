# Sourced by the scripts that run Windows programs under Wine. Sets up a
# private Wine prefix inside the build tree (created once, then reused) and a
# virtual X display when none is given.
#
# Which flavour runs: the 32-bit product itself wherever the kernel runs
# 32-bit code (Wine's 32-bit loader is such a program: starting it once tells),
# otherwise its 64-bit twin, which every x86-64 kernel can run.
# UMBRANT_WINE_ARCH=win32|win64 chooses by hand.
UMBRANT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
UMBRANT_BUILD=${UMBRANT_BUILD:-$UMBRANT_ROOT/build}
mkdir -p "$UMBRANT_BUILD"

if [ -z "$UMBRANT_WINE_ARCH" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        UMBRANT_WINE_ARCH=win32
    else
        UMBRANT_WINE_ARCH=win64
    fi
fi
export UMBRANT_WINE_ARCH
# The build tree of the flavour that runs here.
UMBRANT_WIN_BUILD=$UMBRANT_BUILD/$UMBRANT_WINE_ARCH
if [ "$UMBRANT_WINE_ARCH" = win64 ]; then
    UMBRANT_WINE=/usr/lib/wine/wine64
    export WINELOADER=$UMBRANT_WINE
else
    UMBRANT_WINE=/usr/lib/wine/wine
fi
export WINEPREFIX=${WINEPREFIX:-$UMBRANT_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# Starts Xvfb on a free display unless DISPLAY is set; the server stays up
# for later scripts of the same build tree and is found again by its state file.
umbrant_ensure_display() {
    [ -n "$DISPLAY" ] && return 0
    local state=$UMBRANT_BUILD/xvfb.display num pid
    exec 8>"$UMBRANT_BUILD/xvfb.lock"
    flock 8
    if [ -f "$state" ]; then
        read -r num pid < "$state"
        if kill -0 "$pid" 2>/dev/null; then
            export DISPLAY=:$num; flock -u 8; exec 8>&-; return 0
        fi
    fi
    num=90
    while [ -e /tmp/.X$num-lock ] || [ -e /tmp/.X11-unix/X$num ]; do num=$((num + 1)); done
    setsid Xvfb :$num -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
    pid=$!
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$num ] && break; sleep 0.1; done
    echo "$num $pid" > "$state"
    export DISPLAY=:$num
    flock -u 8
    exec 8>&-
}

# Wine links the user's Desktop, Documents and the like to the Unix home
# folder; the tests write shortcuts there, so they become plain folders of
# the prefix.
umbrant_sandbox_prefix() {
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
    done
}

# Creates the Wine prefix on first use.
umbrant_ensure_prefix() {
    exec 9>"$UMBRANT_BUILD/wineprefix.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        umbrant_sandbox_prefix
    fi
    flock -u 9
    exec 9>&-
}

umbrant_wine() {
    "$UMBRANT_WINE" "$@"
}

# Compiles the Unix locale NAME (e.g. sl_SI) into the build tree, where
# Wine finds it through LOCPATH, so that the machine needs only the locale
# sources; false when it cannot be had.
umbrant_compile_locale() {
    export LOCPATH=$UMBRANT_BUILD/locale
    [ -d "$LOCPATH/$1.UTF-8" ] && return 0
    command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ] || return 1
    mkdir -p "$LOCPATH"
    localedef -i "$1" -f UTF-8 "$LOCPATH/$1.UTF-8" >/dev/null 2>&1
    [ -d "$LOCPATH/$1.UTF-8" ]
}
