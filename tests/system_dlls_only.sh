#!/bin/bash
# The executable must need nothing beyond the DLLs every Windows system has:
# no libstdc++, libgcc or winpthread DLLs beside it.
# usage: system_dlls_only.sh objdump Umbrant.exe
objdump=$1 exe=$2
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll winmm.dll shlwapi.dll "
status=0
for dll in $dlls; do
    case $allowed in *" $dll "*) ;; *) echo "unexpected DLL: $dll"; status=1 ;; esac
done
echo "imports:" $dlls
exit $status
