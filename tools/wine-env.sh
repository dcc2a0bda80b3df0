# Sourced by the scripts that run Windows programs under Wine. Sets up a
# private Wine prefix inside the build tree (created once, then reused) and a
# virtual X display when none is given.
#
# Lanes: CTest runs the Wine tests side by side, each in one of a few lanes
# (the "lanes" resource of cmake/Windows.cmake, handed over in
# CTEST_RESOURCE_GROUP_0_LANES as "id:ID,slots:1"). A lane has an X display
# and Wine prefixes of its own, and so its own wineservers and registries, in
# build/lanes/ID; a lane never takes the DISPLAY or WINEPREFIX it inherits.
# Without a lane (a script run by hand, tools/run.sh) they live in build/.
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
UMBRANT_LANE=
[[ ${CTEST_RESOURCE_GROUP_0_LANES:-} =~ ^id:([^,]+) ]] && UMBRANT_LANE=${BASH_REMATCH[1]}
# The folder of the lane's display state and prefixes.
UMBRANT_LANE_DIR=$UMBRANT_BUILD${UMBRANT_LANE:+/lanes/$UMBRANT_LANE}
mkdir -p "$UMBRANT_LANE_DIR"
[ -n "$UMBRANT_LANE" ] && unset DISPLAY
# The prefix: wineprefix in the lane's folder, or the one UMBRANT_PREFIX_NAME
# names there for a script that needs a prefix of its own; outside a lane a
# WINEPREFIX given comes first.
[ -n "$UMBRANT_LANE$UMBRANT_PREFIX_NAME" ] && unset WINEPREFIX
export WINEPREFIX=${WINEPREFIX:-$UMBRANT_LANE_DIR/${UMBRANT_PREFIX_NAME:-wineprefix}}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# Servers umbrant_start_xvfb starts before it gives up: one that cannot
# start at all ends at once on every number.
UMBRANT_XVFB_TRIES=10
# Twentieths of a second a server may take to come up: 20 seconds.
UMBRANT_XVFB_START_STEPS=400

# Starts Xvfb with the options $2 ... on the first free display number from
# $1 on and sets UMBRANT_XVFB_NUMBER and UMBRANT_XVFB_PID. A server whose
# number another one (of another build tree) took first ends at once: the
# next number is tried. Up once its socket is there and its lock file names
# it. 1, saying so, when no server came up.
umbrant_start_xvfb() {
    local num=$1
    shift
    for _ in $(seq $UMBRANT_XVFB_TRIES); do
        while [ -e /tmp/.X$num-lock ] || [ -e /tmp/.X11-unix/X$num ]; do num=$((num + 1)); done
        setsid Xvfb :$num -nolisten tcp "$@" >/dev/null 2>&1 < /dev/null &
        UMBRANT_XVFB_PID=$!
        for _ in $(seq $UMBRANT_XVFB_START_STEPS); do
            kill -0 $UMBRANT_XVFB_PID 2>/dev/null || break
            if [ -e /tmp/.X11-unix/X$num ] && [ "$(tr -d ' \n' < /tmp/.X$num-lock 2>/dev/null)" = $UMBRANT_XVFB_PID ]; then
                UMBRANT_XVFB_NUMBER=$num
                return 0
            fi
            sleep 0.05
        done
        kill $UMBRANT_XVFB_PID 2>/dev/null || true
        num=$((num + 1))
    done
    echo "Xvfb came up on none of $UMBRANT_XVFB_TRIES display numbers (the last :$((num - 1)))" >&2
    return 1
}

# Starts Xvfb on a free display unless DISPLAY is set; the server stays up
# for later scripts of the same build tree and lane and is found again by its
# state file. 1 when none came up.
umbrant_ensure_display() {
    [ -n "$DISPLAY" ] && return 0
    local state=$UMBRANT_LANE_DIR/xvfb.display num pid
    # One lock for the build tree: its lanes choose their numbers in turn.
    exec 8>"$UMBRANT_BUILD/xvfb.lock"
    flock 8
    if [ -f "$state" ]; then
        read -r num pid < "$state"
        if kill -0 "$pid" 2>/dev/null; then
            export DISPLAY=:$num; flock -u 8; exec 8>&-; return 0
        fi
    fi
    local status=0
    umbrant_start_xvfb 90 -screen 0 1280x1024x24 || status=$?
    if [ $status = 0 ]; then
        echo "$UMBRANT_XVFB_NUMBER $UMBRANT_XVFB_PID" > "$state"
        export DISPLAY=:$UMBRANT_XVFB_NUMBER
    fi
    flock -u 8
    exec 8>&-
    return $status
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

# Boots the build tree's prefix that the others are copied from, once: a
# boot takes many seconds and writes more than a gigabyte. Nothing runs in it.
umbrant_boot_template_prefix() {
    local template=$UMBRANT_BUILD/wineprefix-template
    exec 7>"$template.lock"
    flock 7
    if [ ! -f "$template/system.reg" ]; then
        rm -rf "$template.new"
        (export WINEPREFIX=$template.new
         /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
         wineserver -w
         umbrant_sandbox_prefix)
        mv -T "$template.new" "$template"
    fi
    flock -u 7
    exec 7>&-
}

# Creates the Wine prefix on first use, as a copy of the template, moved into
# place whole. Wine writes the system's libraries only when a newer Wine
# boots a prefix, so the copies share them by hard links.
umbrant_ensure_prefix() {
    exec 9>"$UMBRANT_LANE_DIR/$(basename "$WINEPREFIX").lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        umbrant_boot_template_prefix
        local windows=$UMBRANT_BUILD/wineprefix-template/drive_c/windows new=$WINEPREFIX.new
        rm -rf "$new"
        mkdir -p "$new/drive_c/windows"
        tar -C "$windows/../.." --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - . |
            tar -C "$new" -xf -
        cp -al "$windows/system32" "$windows/syswow64" "$new/drive_c/windows/"
        mv -T "$new" "$WINEPREFIX" || echo "$WINEPREFIX is in the way of a new Wine prefix: remove it" >&2
    fi
    flock -u 9
    exec 9>&-
}

# Starts Wine's desktop process: a program whose first window races the
# desktop's start can be ended early by Wine.
umbrant_start_desktop() {
    "$UMBRANT_WINE" rundll32.exe user32.dll,MessageBeep >/dev/null 2>&1 || true
}

# Ends every program of the prefix's Wine session and waits, up to a minute,
# until its wineserver has gone; non-zero when it has not.
umbrant_end_session() {
    wineserver -k 2>/dev/null
    timeout 60 wineserver -w 2>/dev/null
}

umbrant_wine() {
    "$UMBRANT_WINE" "$@"
}

# Compiles the Unix locale NAME (e.g. sl_SI) into the build tree, where
# Wine finds it through LOCPATH, so that the machine needs only the locale
# sources; false when it cannot be had. Tests of other lanes may read the
# locales meanwhile, so each is compiled aside and moved in whole (the move
# fails harmlessly when another lane's came first).
umbrant_compile_locale() {
    export LOCPATH=$UMBRANT_BUILD/locale
    [ -d "$LOCPATH/$1.UTF-8" ] && return 0
    command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ] || return 1
    mkdir -p "$LOCPATH"
    local aside
    aside=$(mktemp -d "$LOCPATH/.$1.XXXXXX")
    # localedef's status also counts warnings: what it wrote tells.
    localedef -i "$1" -f UTF-8 "$aside/$1.UTF-8" >/dev/null 2>&1
    [ -d "$aside/$1.UTF-8" ] && mv -T "$aside/$1.UTF-8" "$LOCPATH/$1.UTF-8" 2>/dev/null
    rm -rf "$aside"
    [ -d "$LOCPATH/$1.UTF-8" ]
}
