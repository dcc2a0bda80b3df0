#!/bin/bash
# Paths with characters that the command interpreter treats specially, in the
# temporary folder and in the program's name: the uninstall removes exactly the
# named items and runs no command of a name's making. A running copy whose
# path holds a % is not handed to the interpreter (it could read the path as
# another): that copy stays, and so does the file such a reading would name.
. "$(dirname "$0")/install_helpers.bash" "$1"

profile=$(install_expand '%USERPROFILE%')
user=$(install_expand '%USERNAME%')
old_temp=$(install_value 'HKCU\Environment' TEMP)
temp_win="$profile\\Temp\\umbrant t&(1) ^2 !x! y"
temp=$(install_unix_path "$profile\\Temp")/"umbrant t&(1) ^2 !x! y"
set_temp() {
    e2e_reg add 'HKCU\Environment' /v TEMP /t REG_SZ /d "$1" /f >/dev/null
    e2e_reg add 'HKCU\Environment' /v TMP /t REG_SZ /d "$1" /f >/dev/null
}
restore() {
    set_temp "$old_temp"
    rm -rf "$temp"
}
e2e_on_exit restore
rm -rf "$temp"
mkdir -p "$temp" "$E2E_ARTIFACTS/current folder"
set_temp "$temp_win"
cd "$E2E_ARTIFACTS/current folder" || exit 1

# Installs the downloaded program under the given name, then runs the
# installed copy with the install option so that a copy lands in the
# temporary folder, and uninstalls through the registered command.
install_as() {
    install_reset
    e2e_registry_summer_noon
    rm -f "$SOURCE_DIR"/*.exe
    cp "$E2E_EXE" "$SOURCE_DIR/$1"
    install_run "$SOURCE_DIR/$1" -install
    install_run "$INSTALL_DIR/$1" -install
    e2e_check "$1: the copy is in the temporary folder" cmp -s "$E2E_EXE" "$temp/$1"
    e2e_check "$1: the uninstall command names it" \
        [ "$(install_value "$UNINSTALL_KEY" UninstallString)" = "\"$temp_win\\$1\" -uninstall" ]
    install_run_uninstall_string
    e2e_check "$1: the folder and the shortcuts are removed" \
        install_wait_gone 30 "$INSTALL_DIR" "$STARTUP_LINK" "$DESKTOP_LINK"
    e2e_check "$1: the removal commands end" install_wait_commands
}

# Neighbours that a command split at a special character would reach.
keep=("$temp/keep.txt" "$temp/Umbrant.exe" "$temp/Umbrant & mkdir injected.exe" "$temp/Umbrant root (2).exe"
      "$(dirname "$temp")/umbrant t.txt")
for file in "${keep[@]}"; do
    echo keep > "$file"
done

name='Umbrant & mkdir injected & (1) ^2 !x!.exe'
install_as "$name"
e2e_check "$name: the running copy in the temporary folder is removed" install_wait_gone 10 "$temp/$name"

# %USERNAME% read as a variable would name "Umbrant $user (2).exe".
name='Umbrant %USERNAME% (2).exe'
[ "$user" = root ] || mv "$temp/Umbrant root (2).exe" "$temp/Umbrant $user (2).exe"
keep[3]="$temp/Umbrant $user (2).exe"
install_as "$name"
e2e_check "$name: the running copy stays" [ -f "$temp/$name" ]

for file in "${keep[@]}"; do
    e2e_check "$(basename "$file") stays" [ -f "$file" ]
done
e2e_check "no command ran" [ -z "$(find "$E2E_ARTIFACTS" "$temp" -name injected)" ]
install_reset
e2e_finish
