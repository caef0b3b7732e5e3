#!/usr/bin/env bash
# The executable may import only DLLs that Windows never takes from the program's folder: the
# loader's known DLLs, and the common controls that the manifest binds to the system's own copy.
# A second argument narrows the list (a program that loads the others at their first call).
set -euo pipefail
exe="$1"
allowed=" ${2:-advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll} "
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
[ -n "$imports" ] || { echo "no import table found in $exe"; exit 1; }
status=0
for dll in $imports; do
    if [[ "$allowed" != *" $dll "* ]]; then
        echo "not among the DLLs it may import at start: $dll"
        status=1
    fi
done
echo "imports: $(echo $imports)"
exit $status
