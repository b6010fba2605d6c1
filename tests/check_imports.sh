#!/bin/sh
# The program must run on a clean Windows: it may import Windows system DLLs only.
# Usage: check_imports.sh PROGRAM
allowed='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|msvcrt|ole32|SHELL32|USER32)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "$imports"
[ -n "$imports" ] || exit 1
! echo "$imports" | grep -v -i -E "$allowed"
