#!/bin/bash
# Installing over an existing install replaces the copy and rewrites the
# shortcuts and the uninstall entry without duplicating anything. Started from
# the installed copy itself, the install cannot copy onto the running file: the
# copy goes to the temporary folder and the shortcuts and the uninstall entry
# follow it there; its uninstall then removes that copy after it has ended.
. "$(dirname "$0")/install_helpers.bash" "$1"

install_reset
e2e_registry_summer_noon
install_run "$SOURCE_EXE" -install
printf 'an older version' >> "$INSTALL_DIR/Umbrant.exe"
install_run "$SOURCE_EXE" -install
copy_win="$INSTALL_DIR_WIN\\Umbrant.exe"
e2e_check "the copy is replaced" cmp -s "$SOURCE_EXE" "$INSTALL_DIR/Umbrant.exe"
e2e_check "the folder holds the copy only" [ "$(ls -A "$INSTALL_DIR")" = Umbrant.exe ]
for link in "$STARTUP_LINK" "$DESKTOP_LINK"; do
    e2e_check "one shortcut in $(dirname "$link")" [ "$(ls "$(dirname "$link")" | grep -ci '^umbrant.*\.lnk$')" = 1 ]
    e2e_check "the shortcut starts the copy" [ "$(install_link "$link")" = "$copy_win|$INSTALL_DIR_WIN" ]
done
e2e_check "the uninstall command" \
    [ "$(install_value "$UNINSTALL_KEY" UninstallString)" = "\"$copy_win\" -uninstall" ]

temp_win=$(install_expand '%TEMP%')
temp_win=${temp_win%\\}
temp_copy=$(install_unix_path "$temp_win\\Umbrant.exe")
rm -f "$temp_copy"
install_run "$INSTALL_DIR/Umbrant.exe" -install
e2e_check "the installed copy is intact" cmp -s "$SOURCE_EXE" "$INSTALL_DIR/Umbrant.exe"
e2e_check "the copy went to the temporary folder" cmp -s "$SOURCE_EXE" "$temp_copy"
for link in "$STARTUP_LINK" "$DESKTOP_LINK"; do
    e2e_check "the shortcut starts the temporary copy" \
        [ "$(install_link "$link")" = "$temp_win\\Umbrant.exe|$temp_win" ]
done
e2e_check "the uninstall command runs the temporary copy" \
    [ "$(install_value "$UNINSTALL_KEY" UninstallString)" = "\"$temp_win\\Umbrant.exe\" -uninstall" ]

install_run_uninstall_string
e2e_check "the running temporary copy, the folder and the shortcuts are removed" \
    install_wait_gone 30 "$temp_copy" "$INSTALL_DIR" "$STARTUP_LINK" "$DESKTOP_LINK"
e2e_check "the downloaded file stays" [ -f "$SOURCE_EXE" ]
install_reset
e2e_finish
