#!/bin/sh
# check-windows-program.sh PROGRAM.exe
# A program users run needs nothing beyond Windows' own DLLs and is a GUI
# (not console) program.
set -eu
program=$1
dump=$(x86_64-w64-mingw32-objdump -p "$program")
status=0
for dll in $(echo "$dump" | awk '/DLL Name:/ { print $3 }'); do
  case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|comdlg32.dll|ole32.dll|oleaut32.dll|msvcrt.dll|shell32.dll|comctl32.dll) ;;
    *) echo "$program imports $dll, which is not Windows' own"; status=1 ;;
  esac
done
subsystem=$(echo "$dump" | awk '/^Subsystem/ { print $2 }')
if [ "$subsystem" != "00000002" ]; then
  echo "$program is not a GUI program (subsystem $subsystem)"
  status=1
fi
[ $status -eq 0 ] && echo "$program: GUI program, Windows' own DLLs only"
exit $status
