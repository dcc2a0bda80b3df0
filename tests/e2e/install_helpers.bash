# Shared by the install_*.sh end-to-end tests, on top of lib.sh: a Wine prefix
# of their own (created on first use), the program started from a folder whose
# path holds spaces, and the files and keys that install and uninstall touch.
#
#   . "$(dirname "$0")/install_helpers.bash" "$1"
#   install_reset                       # nothing installed, no settings
#   install_run "$SOURCE_EXE" -install  # until the gadget window shows, then ends it
#   install_run_uninstall_string        # answers the information box, waits for the removal
UMBRANT_PREFIX_NAME=wineprefix-install-test
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"

UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Umbrant'
MAKER_KEY='HKCU\Software\Tavrelon'

install_unix_path() { "$UMBRANT_WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
# Expands Windows environment variables the way the prefix sees them.
install_expand() { "$UMBRANT_WINE" cmd /c echo "$1" 2>/dev/null | tr -d '\r"'; }

# Where the program under test expects its Program Files (asked, not assumed).
if [ "$UMBRANT_WINE_ARCH" = win32 ]; then
    PROGRAM_FILES=$(install_expand '%ProgramFiles(x86)%')
else
    PROGRAM_FILES=$(install_expand '%ProgramFiles%')
fi
INSTALL_DIR_WIN="$PROGRAM_FILES\\Umbrant"
INSTALL_DIR=$(install_unix_path "$INSTALL_DIR_WIN")
STARTUP_LINK=$(install_unix_path "$(install_expand '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Umbrant.lnk")
DESKTOP_LINK=$(install_unix_path "$(install_expand '%USERPROFILE%')\\Desktop\\Umbrant.lnk")
[ -n "$INSTALL_DIR" ] && [ -n "$STARTUP_LINK" ] && [ -n "$DESKTOP_LINK" ] || { echo "cannot ask Wine for its folders"; exit 1; }
# Wine links the prefix's desktop to the user's home folder: keep the
# shortcuts of the tests inside the prefix.
if [ -L "$(dirname "$DESKTOP_LINK")" ]; then
    rm "$(dirname "$DESKTOP_LINK")" && mkdir "$(dirname "$DESKTOP_LINK")"
fi

# The downloaded program, in a folder whose path holds spaces.
SOURCE_DIR="$E2E_ARTIFACTS/Downloaded files/new version"
SOURCE_EXE="$SOURCE_DIR/Umbrant.exe"
mkdir -p "$SOURCE_DIR"
cp "$E2E_EXE" "$SOURCE_EXE"

install_reset() {
    e2e_stop
    rm -rf "$INSTALL_DIR" "$STARTUP_LINK" "$DESKTOP_LINK"
    e2e_reg delete "$UNINSTALL_KEY" /f >/dev/null
    e2e_registry_reset
}

install_key_exists() {
    local view=()
    [ "$UMBRANT_WINE_ARCH" = win32 ] && view=(/reg:32)
    "$UMBRANT_WINE" reg query "$1" "${view[@]}" >/dev/null 2>&1
}
# The text of a REG_SZ value, or nothing when it is absent.
install_value() {
    e2e_reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_SZ *//p"
}

# "target|working folder" of a shell link, read from the file's own format:
# the local base path of its link information and its working-directory text.
install_link() {
    python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
flags = struct.unpack_from('<I', data, 0x14)[0]
pos = 0x4C
if flags & 0x1:  # target item list
    pos += 2 + struct.unpack_from('<H', data, pos)[0]
target = ''
if flags & 0x2:  # link information
    size, header, info_flags, volume, base = struct.unpack_from('<5I', data, pos)
    if info_flags & 1:
        target = data[pos + base:data.index(b'\0', pos + base)].decode('latin-1')
    pos += size
unicode = flags & 0x80
strings = []
for bit in (0x4, 0x8, 0x10):  # description, relative path, working folder
    if flags & bit:
        count = struct.unpack_from('<H', data, pos)[0]
        width = 2 if unicode else 1
        text = data[pos + 2:pos + 2 + count * width]
        strings.append(text.decode('utf-16-le' if unicode else 'latin-1'))
        pos += 2 + count * width
    else:
        strings.append('')
print(target.rstrip('\0') + '|' + strings[2].rstrip('\0'))
EOF
}

# Starts a program with options and waits for the gadget window; the program
# is ended afterwards.
install_run() {
    local exe=$1
    shift
    e2e_launch "$exe" "$@"
    if ! e2e_wait_window Umbrant 40 >/dev/null; then
        e2e_running || { wait "$E2E_PID"; echo "the program ended with status $? without a window"; }
        e2e_fail "the gadget window appears"
    fi
    echo "ok: the gadget runs"
    e2e_stop
}

# Sets left to the last of the paths that still exists; 1 while one does.
install_none_left() {
    local path
    left=
    for path in "$@"; do
        [ -e "$path" ] && left=$path
    done
    [ -z "$left" ]
}

# Waits up to $1 seconds until none of the remaining paths exists.
install_wait_gone() {
    local limit=$1 left
    shift
    e2e_poll "$limit" install_none_left "$@" && return 0
    echo "still there: $left"
    return 1
}
install_key_absent() { ! install_key_exists "$1"; }
# Waits until the command prompts the uninstall started to remove files have
# ended: whatever they remove, rightly or not, is gone by then.
install_wait_commands() { e2e_wait_ended 'cmd(\.exe)?' 30; }

# Runs the registered uninstall command as the system would: the quoted path
# and the option.
install_run_uninstall_string() {
    local command
    command=$(install_value "$UNINSTALL_KEY" UninstallString)
    [[ $command =~ ^\"([^\"]+)\"\ (.*)$ ]] || e2e_fail "uninstall command is a quoted path and options: $command"
    install_uninstall_with "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
}

# Starts program (a Windows or Unix path) with the uninstall option, answers
# the information box and waits for the program to end.
install_uninstall_with() {
    e2e_launch "$1" $2
    install_answer_box Info
    E2E_PID=
}

# Waits for the program's message box titled $1, checks that no gadget
# window shows beside it, answers it with Return and waits for the program
# to end.
install_answer_box() {
    local box
    box=$(e2e_wait_window "$1" 40) || e2e_fail "the box titled $1 appears"
    echo "ok: the box titled $1 appears"
    e2e_check "no gadget window while the box shows" [ -z "$(e2e_find_window Umbrant)" ]
    xdotool windowfocus "$box" 2>/dev/null
    xdotool key --window "$box" Return
    e2e_wait_exit 20 || e2e_fail "the program ends after the box"
}
