#!/bin/sh
# The .exe must start on a clean Windows: it may import only system DLLs.
#   imports.sh PROGRAM.exe
set -eu
dlls=$(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name/ {print $3}')
echo "imports:" $dlls
echo "size: $(stat -c %s "$1") bytes"
bad=$(printf '%s\n' $dlls | grep -viE '^(kernel32|user32|gdi32|shell32|msvcrt|ucrtbase|api-ms-win-.*)\.dll$' || true)
if [ -n "$bad" ]; then
  echo "FAIL: not a system DLL:" $bad
  exit 1
fi
