#!/usr/bin/env bash
# Checks that the player is a self-contained 32-bit Windows GUI program: PE32 for the
# Intel 80386, GUI subsystem, and no DLL beyond those Windows itself ships.
set -euo pipefail
exe=$1
headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q '^Magic[[:space:]]*010b' <<<"$headers" || { echo "$exe is not PE32"; exit 1; }
grep -q 'file format pei-i386' < <(i686-w64-mingw32-objdump -f "$exe") || { echo "$exe is not for i386"; exit 1; }
grep -q '^Subsystem[[:space:]]*00000002' <<<"$headers" || { echo "$exe is not a GUI program"; exit 1; }
windows_dlls='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msimg32|msvcrt|ole32|oleaut32|shell32|user32|version|winmm|dsound|ddraw|imm32|shlwapi|uxtheme)\.dll$'
status=0
while read -r dll; do
  if ! grep -qiE "$windows_dlls" <<<"$dll"; then
    echo "$exe depends on $dll, which Windows does not ship"
    status=1
  fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
exit $status
