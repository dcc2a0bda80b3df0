#!/bin/bash
# Installing from a folder whose path holds spaces: the copy lands in Program
# Files\Umbrant, both shortcuts start it in that folder, the uninstall entry
# names it and runs it with the uninstall option, and the gadget runs as usual.
. "$(dirname "$0")/install_helpers.bash" "$1"

install_reset
e2e_registry_summer_noon
install_run "$SOURCE_EXE" -install
copy_win="$INSTALL_DIR_WIN\\Umbrant.exe"
e2e_check "the copy is in $INSTALL_DIR_WIN" cmp -s "$SOURCE_EXE" "$INSTALL_DIR/Umbrant.exe"
for link in "$STARTUP_LINK" "$DESKTOP_LINK"; do
    e2e_check "the shortcut $link starts the copy in its folder" \
        [ "$(install_link "$link")" = "$copy_win|$INSTALL_DIR_WIN" ]
done
e2e_check "the uninstall entry's name" [ "$(install_value "$UNINSTALL_KEY" DisplayName)" = Umbrant ]
e2e_check "the uninstall command" \
    [ "$(install_value "$UNINSTALL_KEY" UninstallString)" = "\"$copy_win\" -uninstall" ]
e2e_check "the downloaded file stays" [ -f "$SOURCE_EXE" ]
install_reset
e2e_finish
