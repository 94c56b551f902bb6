#!/usr/bin/env bash
# The exe is self-contained: every DLL it imports is part of Windows itself
# (no MinGW runtime, C++ library, winpthread or wx DLL beside it).
#   imports.sh path/to/halvane-client.exe
set -u
exe=${1:?usage: imports.sh EXE}
system_dlls='advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleacc oleaut32 rpcrt4 shell32 shlwapi
  user32 uxtheme version winmm winspool.drv ws2_32 wsock32 imm32 msimg32 gdiplus'
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || { echo "FAIL: no imports read from $exe"; exit 1; }
status=0
for dll in $dlls; do
  name=${dll%.dll}
  if ! printf '%s\n' $system_dlls | grep -qx -- "$name"; then
    echo "FAIL: $exe needs $dll, which Windows does not have"
    status=1
  fi
done
[ $status = 0 ] && echo "PASS: imports only Windows' own DLLs: $(echo $dlls)"
exit $status
