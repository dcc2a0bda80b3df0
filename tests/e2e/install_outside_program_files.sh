#!/bin/bash
# Uninstalling from a copy outside Program Files (the downloaded file) removes
# the installed items and the settings but leaves the running file in place.
. "$(dirname "$0")/install_helpers.bash" "$1"

install_reset
e2e_registry_summer_noon
install_run "$SOURCE_EXE" -install
e2e_check "installed" [ -f "$INSTALL_DIR/Umbrant.exe" ]

install_uninstall_with "$SOURCE_EXE" -uninstall
e2e_check "the folder and both shortcuts are removed" install_wait_gone 30 "$INSTALL_DIR" "$STARTUP_LINK" "$DESKTOP_LINK"
e2e_check "the uninstall entry is removed" install_key_absent "$UNINSTALL_KEY"
e2e_check "the settings are removed" install_key_absent "$E2E_SETTINGS_KEY"
e2e_check "the removal commands end" install_wait_commands
e2e_check "the running file stays" cmp -s "$E2E_EXE" "$SOURCE_EXE"
install_reset
e2e_finish
