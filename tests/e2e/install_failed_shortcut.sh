#!/bin/bash
# An install whose Startup shortcut cannot be saved (a folder stands where it
# goes) says so in the user's language, takes back the copy and its folder,
# leaves no other shortcut and no uninstall entry, and ends with status 1
# without starting the gadget.
. "$(dirname "$0")/install_helpers.bash" "$1"

install_reset
e2e_registry_set Language 4096
mkdir -p "$STARTUP_LINK"
e2e_on_exit 'rmdir "$STARTUP_LINK" 2>/dev/null'
e2e_launch "$SOURCE_EXE" -install
# Its title is Slovenian.
install_answer_box Namestitev
wait "$E2E_PID"
status=$?
E2E_PID=
e2e_check "the program ends with status 1 (got $status)" [ "$status" = 1 ]
e2e_check "no gadget window after it" [ -z "$(e2e_find_window Umbrant)" ]
e2e_check "no copy and no folder in Program Files" [ ! -e "$INSTALL_DIR" ]
e2e_check "no desktop shortcut" [ ! -e "$DESKTOP_LINK" ]
e2e_check "the Startup shortcut's place holds only the folder put there" [ -d "$STARTUP_LINK" ]
e2e_check "no uninstall entry" install_key_absent "$UNINSTALL_KEY"
install_reset
e2e_finish
