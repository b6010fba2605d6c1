#!/bin/sh
# Runs a Windows test executable under Wine in the build tree's own prefix and private display.
# Usage: emulator.sh BUILD_DIR PROGRAM [ARGS...]
wine_dir=$1/wine
shift
export WINEPREFIX="$wine_dir/prefix" WINEDEBUG=-all
DISPLAY=$(cat "$wine_dir/display") || exit 1
export DISPLAY
exec wine "$@"
