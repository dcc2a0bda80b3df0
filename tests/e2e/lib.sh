# Shared helpers of the end-to-end tests: sourced by tests/e2e/*.sh, which
# get the Windows build dir as their first argument. They start Umbrant.exe
# under Wine on their lane's virtual display (tools/wine-env.sh) with a known
# registry, find its window and drive it with xdotool like a person would.
#
#   . "$(dirname "$0")/lib.sh" "$1"
#   e2e_registry_reset; e2e_registry_set IsBigClock 0
#   e2e_start [options]              # over a desktop picture of our own; sets
#                                    # E2E_WINDOW, E2E_X, E2E_Y, E2E_WIDTH, E2E_HEIGHT
#   e2e_check "what" test-expression # screenshot and exit 1 when false
#   e2e_check "what" e2e_within "$v" 10 20   # a range is one condition
#   e2e_finish                       # ends the program, exits 0
E2E_WIN_BUILD=$(cd "${1:?usage: $0 windows-build-dir}" && pwd)
E2E_NAME=$(basename "$0" .sh)
E2E_EXE=$E2E_WIN_BUILD/app/Umbrant.exe
E2E_ARTIFACTS=$E2E_WIN_BUILD/e2e-artifacts/$E2E_NAME
E2E_SETTINGS_KEY='HKCU\Software\Tavrelon\Umbrant'
# Where earlier versions kept the settings, for the whole machine.
E2E_MACHINE_SETTINGS_KEY='HKLM\Software\Tavrelon\Umbrant'
E2E_SETTINGS=(Language IsBigClock GeoLatitude IsSimulateDateTime SimulatedDayOfYear SimulatedTimeOfDay GeoLongitude
    IsExactSun IsDateLines HourLines WindowLeft WindowTop)

[ -x "$E2E_EXE" ] || { echo "no $E2E_EXE"; exit 77; }
for tool in xdotool import convert display xwininfo; do
    command -v $tool >/dev/null || { echo "missing $tool"; exit 77; }
done
export UMBRANT_BUILD=$(dirname "$E2E_WIN_BUILD")
export UMBRANT_WINE_ARCH=${UMBRANT_WINE_ARCH:-$(basename "$E2E_WIN_BUILD")}
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
umbrant_ensure_display || exit 1
umbrant_ensure_prefix
# What a test ended midway left: its programs and, in a lane, another
# keyboard map on its display (outside a lane the display may be the user's,
# whose map stays).
umbrant_end_session
[ -n "$UMBRANT_LANE" ] && setxkbmap us
rm -rf "$E2E_ARTIFACTS"
mkdir -p "$E2E_ARTIFACTS"
echo "display $DISPLAY, prefix $WINEPREFIX"
E2E_PID=
E2E_DESKTOP_PID=

# What a test puts back or ends when it exits, however it exits: each
# e2e_on_exit command runs then, the last added first, and then the desktop
# picture goes. One trap for all, so that no helper's trap replaces a test's.
E2E_EXIT_COMMANDS=()
e2e_on_exit() { E2E_EXIT_COMMANDS=("$1" "${E2E_EXIT_COMMANDS[@]}"); }
e2e_exit() {
    local command
    for command in "${E2E_EXIT_COMMANDS[@]}"; do eval "$command"; done
    [ -n "$E2E_DESKTOP_PID" ] && kill "$E2E_DESKTOP_PID" 2>/dev/null
}
trap e2e_exit EXIT

# The 32-bit program sees the 32-bit view of the registry.
e2e_reg() {
    local view=()
    [ "$UMBRANT_WINE_ARCH" = win32 ] && view=(/reg:32)
    "$UMBRANT_WINE" reg "$@" "${view[@]}" 2>/dev/null | tr -d '\r'
}
# No settings anywhere: neither the user's nor an earlier version's.
e2e_registry_reset() { e2e_reg delete "$E2E_SETTINGS_KEY" /f >/dev/null; e2e_reg delete "$E2E_MACHINE_SETTINGS_KEY" /f >/dev/null; }
e2e_registry_set() { e2e_reg add "$E2E_SETTINGS_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null; }
# Prints the value's text, or nothing when it is absent.
e2e_registry_get() {
    e2e_reg query "$E2E_SETTINGS_KEY" /v "$1" | awk -v name="$1" '$1 == name && $2 == "REG_SZ" { print $3 }'
}
# Settings that skip the first-start dialog and show a summer noon at 46 N.
e2e_registry_summer_noon() {
    e2e_registry_reset
    e2e_registry_set IsBigClock "${1:-0}"
    e2e_registry_set GeoLatitude 46
    e2e_registry_set IsSimulateDateTime 1
    e2e_registry_set SimulatedDayOfYear 172
    e2e_registry_set SimulatedTimeOfDay 43200
}

# A desktop picture of our own as the root window's background: wide bands of
# strong colours, so that whatever shows through the gadget is easy to tell.
E2E_DESKTOP=$UMBRANT_BUILD/e2e-desktop.png
e2e_desktop() {
    # Painted aside and moved in whole: tests of other lanes may show it meanwhile.
    if [ ! -f "$E2E_DESKTOP" ]; then
        convert -size 1280x1024 xc:'#c03030' \
            -fill '#30a040' -draw 'rectangle 0,0 1279,255' \
            -fill '#3050c0' -draw 'rectangle 0,512 1279,767' \
            -fill '#d0b020' -draw 'rectangle 0,0 159,1023' \
            -fill '#3050c0' -draw 'rectangle 1120,0 1279,1023' "$E2E_ARTIFACTS/e2e-desktop.png" &&
            mv "$E2E_ARTIFACTS/e2e-desktop.png" "$E2E_DESKTOP"
    fi
    [ -n "$E2E_DESKTOP_PID" ] && kill -0 "$E2E_DESKTOP_PID" 2>/dev/null && return 0
    # Wine paints the root window black whenever its desktop process starts
    # up, so the picture gets an X window of its own, mapped before any of
    # Wine's and so below them.
    display -immutable -borderwidth 0 -geometry +0+0 "$E2E_DESKTOP" 2>/dev/null &
    E2E_DESKTOP_PID=$!
    local shot=$E2E_ARTIFACTS/desktop.png
    for _ in $(seq 50); do
        sleep 0.2
        import -window root "$shot"
        [ "$(e2e_pixel "$shot" 300 100)" = "48 160 64" ] && break
    done
    rm -f "$shot"
}

e2e_screenshot() {
    local count
    count=$(find "$E2E_ARTIFACTS" -name '*.png' | wc -l)
    local file=$E2E_ARTIFACTS/$((count + 1))-${1:-shot}.png
    import -window root "$file"
    echo "$file"
}

# "r g b" of a screen pixel in a screenshot file.
e2e_pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 |
        sed -E 's/.*\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3/' | awk '{ printf "%d %d %d\n", $1, $2, $3 }'
}

# Runs a check (one command: a compound condition goes into one command,
# such as e2e_within) and reports it the way every test does; returns its status.
e2e_verdict() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        return 0
    fi
    echo "FAILED: $what"
    return 1
}

# Exit with a screenshot and the program ended when the condition fails;
# what ran in the prefix then and how loaded the machine was go with it.
e2e_check() {
    e2e_verdict "$@" && return 0
    echo "screenshot: $(e2e_screenshot failure)"
    echo "processes of the prefix:"
    ps -o pid=,etime=,stat=,args= -p "$(e2e_prefix_pids | paste -sd,)" 2>/dev/null | sed 's/^/  /'
    echo "load:$(cut -d' ' -f1-3 /proc/loadavg)"
    [ -s "$E2E_ARTIFACTS/wine.log" ] && tail -5 "$E2E_ARTIFACTS/wine.log" | sed 's/^/  wine.log: /'
    e2e_stop
    exit 1
}

# True when the whole number $1 lies within $2 ... $3; else says what it got.
e2e_within() {
    [ "$1" -ge "$2" ] && [ "$1" -le "$3" ] && return 0
    echo "got $1, not within $2 ... $3"
    return 1
}

e2e_fail() {
    e2e_check "$1" false
}

# Window id of the visible top-level window with exactly this title.
e2e_find_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

# Runs the command $2 ... every tenth of a second until it succeeds, for up
# to $1 seconds; 1 when it never does. The waits below are such polls.
e2e_poll() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
# Succeeds when the command $1 ... fails.
e2e_not() { ! "$@"; }

# Prints the id of the visible window titled $1; 1 when there is none.
e2e_window_shown() {
    local id
    id=$(e2e_find_window "$1")
    [ -n "$id" ] && echo "$id"
}

# Waits (up to $2 seconds) for a window titled $1 and prints its id.
e2e_wait_window() { e2e_poll "${2:-20}" e2e_window_shown "$1"; }

# Waits (up to $2 seconds) until no visible window is titled $1; 1, saying
# so, when one still is.
e2e_wait_window_gone() {
    e2e_poll "${2:-20}" e2e_not e2e_window_shown "$1" >/dev/null && return 0
    echo "a window titled $1 is still shown"
    return 1
}

# Sets E2E_X, E2E_Y, E2E_W, E2E_H of a window.
e2e_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/E2E_/')"
}

# Whether the gadget window has, read now, the size $1 x $2 / its top-left
# corner at $1,$2.
e2e_size_is() { e2e_geometry "$E2E_WINDOW" && [ "$E2E_WIDTH,$E2E_HEIGHT" = "$1,$2" ]; }
e2e_place_is() { e2e_geometry "$E2E_WINDOW" && [ "$E2E_X,$E2E_Y" = "$1,$2" ]; }

# Waits until the gadget window has reached the given size; 1 when it does not.
e2e_wait_size() { e2e_poll 10 e2e_size_is "$1" "$2"; }

# Waits until the gadget window stands at $1,$2 (X coordinates); 1, saying
# where it is, when it does not.
e2e_wait_place() {
    e2e_poll 10 e2e_place_is "$1" "$2" && return 0
    echo "got $E2E_X,$E2E_Y"
    return 1
}

# The gadget window's rectangle of the screen, as it is now or as screenshot
# $2 has it, into picture $1: plain pixels that cmp compares byte for byte.
e2e_window_picture() {
    local crop=${E2E_WIDTH}x$E2E_HEIGHT+$E2E_X+$E2E_Y
    if [ -n "$2" ]; then
        convert "$2" -crop "$crop" +repage -depth 8 "$1"
    else
        import -window root -crop "$crop" +repage -depth 8 "$1"
    fi
}

# Time between two pictures of a settled window: many of the program's 20 ms
# frames, so that a fade or a drag still running shows as a difference.
E2E_SETTLE_STEP=0.3

# Waits up to $1 seconds (default 10) until two pictures of the gadget window
# taken E2E_SETTLE_STEP apart are identical: a fade or a redraw has ended.
# 1, saying so, when it keeps changing.
e2e_wait_settled() {
    local last=$E2E_ARTIFACTS/settle-last.ppm now=$E2E_ARTIFACTS/settle-now.ppm
    local end=$((SECONDS + ${1:-10}))
    e2e_window_picture "$last"
    while [ $SECONDS -lt $end ]; do
        sleep $E2E_SETTLE_STEP
        e2e_window_picture "$now"
        cmp -s "$last" "$now" && return 0
        mv "$now" "$last"
    done
    echo "the gadget window still changes after ${1:-10} seconds"
    return 1
}

# Waits up to $2 seconds (default 10) until the gadget window's rectangle
# differs from what screenshot $1 shows there; 1, saying so, when it does not.
e2e_wait_changed() {
    local before=$E2E_ARTIFACTS/changed-before.ppm now=$E2E_ARTIFACTS/changed-now.ppm
    local end=$((SECONDS + ${2:-10}))
    e2e_window_picture "$before" "$1"
    while [ $SECONDS -lt $end ]; do
        e2e_window_picture "$now"
        cmp -s "$before" "$now" || return 0
        sleep 0.1
    done
    echo "the gadget window still looks as in $1 after ${2:-10} seconds"
    return 1
}

# Gives the gadget the keyboard focus, as a click on it would, but without
# pressing a button (the picture's window held the focus before). X moves the
# focus at once; Wine takes it over from the event with no outward sign, so
# this is a pause, not a wait.
e2e_focus() {
    xdotool windowfocus "$E2E_WINDOW" 2>/dev/null
    sleep 0.5
}

e2e_running() {
    [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null
}

# Starts the Windows program $1 with the options $2 ... in the background
# (E2E_PID, its output in wine.log), after Wine's desktop process.
e2e_launch() {
    e2e_prefix_runs 'explorer(\.exe)?' || umbrant_start_desktop
    "$UMBRANT_WINE" "$@" > "$E2E_ARTIFACTS/wine.log" 2>&1 &
    E2E_PID=$!
}

# Starts the program with the given options and waits for its window.
e2e_start() {
    e2e_desktop
    e2e_launch "$E2E_EXE" "$@"
    E2E_WINDOW=$(e2e_wait_window Umbrant 30) || e2e_fail "the gadget window appears"
    e2e_focus
    e2e_geometry "$E2E_WINDOW"
}

# Waits up to $1 seconds for the program to end by itself.
e2e_wait_exit() { e2e_poll "${1:-10}" e2e_not e2e_running; }

e2e_stop() {
    if e2e_running; then
        kill "$E2E_PID" 2>/dev/null
        wait "$E2E_PID" 2>/dev/null
    fi
    E2E_PID=
    umbrant_end_session
}

e2e_finish() {
    e2e_stop
    echo "passed: $E2E_NAME"
    exit 0
}

# Mouse helpers in screen coordinates. Their pauses are a person's: Wine
# sees each motion and click before the next input arrives.
e2e_move() { xdotool mousemove "$1" "$2"; sleep "${3:-0.3}"; }
e2e_click() { e2e_move "$1" "$2"; xdotool click 1; sleep "${3:-0.5}"; }

# Channel values of a screen pixel of the given screenshot as E2E_R, E2E_G, E2E_B.
e2e_rgb() {
    read -r E2E_R E2E_G E2E_B <<< "$(e2e_pixel "$1" "$2" "$3")"
}

# The colour of our desktop picture at a screen point, as "r g b".
e2e_desktop_pixel() {
    e2e_pixel "$E2E_DESKTOP" "$1" "$2"
}

# Visible windows of the program other than the gadget window itself (tool
# tips, menus), one "id width height x y" a line.
e2e_popups() {
    local id
    for id in $(xdotool search --onlyvisible --class umbrant.exe 2>/dev/null); do
        [ "$id" = "$E2E_WINDOW" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -gt 1 ] && echo "$id $WIDTH $HEIGHT $X $Y"
    done
}

# Whether a window of the program other than the gadget shows.
e2e_popup_shown() { [ -n "$(e2e_popups)" ]; }

# Waits up to $1 seconds (default 10) until a window of the program other
# than the gadget (a tool tip, a menu) shows; 1, saying so, when none does.
e2e_wait_popup() {
    e2e_poll "${1:-10}" e2e_popup_shown && return 0
    echo "no tool tip or menu of the program shows"
    return 1
}

# Hovers the settings button once the gadget's picture has settled and sets
# E2E_TIP_WIDTH to the width of the tool tip that shows, empty when none does.
e2e_settings_tip_width() {
    e2e_geometry "$E2E_WINDOW"
    e2e_check "the gadget's picture settles" e2e_wait_settled
    e2e_glide $((E2E_X + E2E_WIDTH - 40)) $((E2E_Y + 21))
    e2e_wait_popup >/dev/null
    E2E_TIP_WIDTH=$(e2e_popups | head -1 | cut -d' ' -f2)
}

# The ids of the processes of this Wine prefix whose name $1 (an extended
# regular expression, such as 'cmd(\.exe)?'; any name when absent) matches
# whole. Wine names a process after its program file, with or without ".exe"
# as it was started.
e2e_prefix_pids() {
    local pid
    for pid in $(pgrep -x -- "${1:-.*}"); do
        tr '\0' '\n' 2>/dev/null < "/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}

# Whether a process of this Wine prefix has a name that $1 matches whole.
e2e_prefix_runs() { [ -n "$(e2e_prefix_pids "$1")" ]; }

# Waits up to $2 seconds (default 10) until no process of this Wine prefix
# has a name matching $1; 1, saying so, when one still does.
e2e_wait_ended() {
    e2e_poll "${2:-10}" e2e_not e2e_prefix_runs "$1" && return 0
    echo "a process named $1 still runs"
    return 1
}

# Presses the mouse at $1,$2 and moves it $5 steps of $3,$4 pixels, a tenth
# of a second apart (a hand's pace, so that Wine sees every motion), leaving
# the button down.
e2e_press_and_drag() {
    local step
    e2e_glide "$1" "$2"
    xdotool mousedown 1
    for step in $(seq "$5"); do
        xdotool mousemove $(($1 + $3 * step)) $(($2 + $4 * step))
        sleep 0.1
    done
}

# A person's mouse does not jump: a few steps toward the target, paused so
# that Wine sees each of them, then a rest of $3 seconds (default 0.3).
e2e_glide() {
    local fx fy tx=$1 ty=$2 i
    eval "$(xdotool getmouselocation --shell)"
    fx=$X
    fy=$Y
    for i in 1 2 3 4 5; do
        xdotool mousemove $((fx + (tx - fx) * i / 5)) $((fy + (ty - fy) * i / 5))
        sleep 0.05
    done
    sleep "${3:-0.3}"
}
