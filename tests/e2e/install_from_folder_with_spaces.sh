#!/bin/bash
# Installing from folders whose paths hold spaces, and letters outside the
# ANSI code page: the copy lands in Program Files\Umbrant, both shortcuts
# start it in that folder, the uninstall entry names it and runs it with the
# uninstall option, the gadget runs as usual, and the uninstall takes it all
# away again.
# The folders' names reach Wine as UTF-8; its ANSI code page (1252 for this
# locale) has no č and no 日本.
export LANG=C.UTF-8
. "$(dirname "$0")/install_helpers.bash" "$1"

copy_win="$INSTALL_DIR_WIN\\Umbrant.exe"
for folder in "$SOURCE_DIR" "$E2E_ARTIFACTS/čšž dir" "$E2E_ARTIFACTS/Sončna ura – 日本"; do
    name=$(basename "$folder")
    install_reset
    e2e_registry_summer_noon
    mkdir -p "$folder"
    cp "$E2E_EXE" "$folder/Umbrant.exe"
    install_run "$folder/Umbrant.exe" -install
    e2e_check "from $name: the copy is in $INSTALL_DIR_WIN" cmp -s "$folder/Umbrant.exe" "$INSTALL_DIR/Umbrant.exe"
    for link in "$STARTUP_LINK" "$DESKTOP_LINK"; do
        e2e_check "from $name: the shortcut $link starts the copy in its folder" \
            [ "$(install_link "$link")" = "$copy_win|$INSTALL_DIR_WIN" ]
    done
    e2e_check "from $name: the uninstall entry's name" [ "$(install_value "$UNINSTALL_KEY" DisplayName)" = Umbrant ]
    e2e_check "from $name: the uninstall command" \
        [ "$(install_value "$UNINSTALL_KEY" UninstallString)" = "\"$copy_win\" -uninstall" ]
    e2e_check "from $name: the downloaded file stays" [ -f "$folder/Umbrant.exe" ]
    install_run_uninstall_string
    e2e_check "from $name: the uninstall entry is removed" install_key_absent "$UNINSTALL_KEY"
    e2e_check "from $name: the copy and the shortcuts are removed" \
        install_wait_gone 30 "$INSTALL_DIR" "$STARTUP_LINK" "$DESKTOP_LINK"
    e2e_check "from $name: the removal commands end" install_wait_commands
done
install_reset
e2e_finish
