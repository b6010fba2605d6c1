#!/bin/bash
# Stops the build tree's Wine server and Xvfb, and makes the test drives removable again.
# Usage: cleanup.sh BUILD_DIR
wine_dir=$(realpath -m "$1/wine")
export WINEPREFIX="$wine_dir/prefix"
wineserver -k 2>/dev/null
for d in "$wine_dir/drives/o" "$wine_dir/drives/q/readonly"; do
  chattr -i "$d" 2>/dev/null
  chmod 755 "$d" 2>/dev/null
done
if [ -f "$wine_dir/xvfb.pid" ]; then
  kill "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null
  rm -f "$wine_dir/xvfb.pid" "$wine_dir/display"
fi
exit 0
