#!/bin/bash
# The registered uninstall command, given from inside the install folder while
# the installed gadget runs and answered like a person would: once the
# program has ended, the Program Files folder with the running copy, both
# shortcuts, the uninstall entry and the settings are gone, with the maker's
# key they leave empty, and the next start is a first start again.
. "$(dirname "$0")/install_helpers.bash" "$1"

install_reset
e2e_registry_summer_noon
install_run "$SOURCE_EXE" -install
e2e_check "installed" [ -f "$INSTALL_DIR/Umbrant.exe" ]
e2e_check "the uninstall entry and the settings are there" \
    eval 'install_key_exists "$UNINSTALL_KEY" && install_key_exists "$E2E_SETTINGS_KEY"'

# The installed gadget runs (as after a logon) while its uninstall command is
# given from inside its folder: the gadget is closed, the folder goes anyway.
"$UMBRANT_WINE" "$INSTALL_DIR/Umbrant.exe" > "$E2E_ARTIFACTS/gadget.log" 2>&1 &
gadget=$!
e2e_check "the installed gadget runs" eval 'e2e_wait_window Umbrant 40 >/dev/null'
cd "$INSTALL_DIR"
install_run_uninstall_string
cd - >/dev/null
e2e_check "the uninstall closed the running gadget" eval '! kill -0 $gadget 2>/dev/null'
e2e_check "the folder and both shortcuts are removed" install_wait_gone 30 "$INSTALL_DIR" "$STARTUP_LINK" "$DESKTOP_LINK"
e2e_check "the uninstall entry is removed" install_key_absent "$UNINSTALL_KEY"
e2e_check "the settings are removed" install_key_absent "$E2E_SETTINGS_KEY"
e2e_check "the empty maker's key goes" install_key_absent "$MAKER_KEY"
e2e_check "the downloaded file stays" [ -f "$SOURCE_EXE" ]

# A first start opens the Settings dialog by itself.
e2e_launch "$SOURCE_EXE"
e2e_check "the next start is a first start" eval "e2e_wait_window '(Settings|Nastavitve)' 40 >/dev/null"
install_reset
e2e_finish
