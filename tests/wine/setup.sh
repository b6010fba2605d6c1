#!/bin/bash
# Prepares the build tree's Wine test environment: a private Xvfb, the Wine prefix (created once
# per build tree) and the test drives:
#   P:, Q:  fixed disks on writable folders      R:  CD-ROM      S:  floppy (removable)
#   O:      fixed disk on a folder nothing can be written to (and Q:\readonly likewise)
# Usage: setup.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
wine_dir=$(realpath -m "$1/wine")
mkdir -p "$wine_dir"
cd "$wine_dir"
export WINEPREFIX="$wine_dir/prefix" WINEDEBUG=-all

# A private X server, one per build tree, kept for the tests that follow.
if ! { [ -f xvfb.pid ] && kill -0 "$(cat xvfb.pid)" 2>/dev/null &&
  DISPLAY=$(cat display) xdpyinfo >/dev/null 2>&1; }; then
  rm -f xvfb.pid display
  start_xvfb 1024x768x24
  echo "$xvfb_pid" >xvfb.pid
  echo "$DISPLAY" >display
fi
export DISPLAY=$(cat display)

# Bump the stamp when the prefix's contents change, so that existing build trees make it anew.
stamp=prefix/.qvs-ready-3
if [ ! -f "$stamp" ]; then
  rm -rf prefix drives
  wineboot -i >/dev/null 2>&1
  mkdir -p drives/o drives/p drives/q drives/r drives/s
  for d in o p q r s; do ln -sfn "$wine_dir/drives/$d" "prefix/dosdevices/$d:"; done
  for d in o p q; do wine reg add 'HKLM\Software\Wine\Drives' /v "$d:" /d hd /f >/dev/null; done
  wine reg add 'HKLM\Software\Wine\Drives' /v r: /d cdrom /f >/dev/null
  wine reg add 'HKLM\Software\Wine\Drives' /v s: /d floppy /f >/dev/null
  # One virtual desktop holds every window: without a window manager on Xvfb, Wine otherwise
  # waits up to 2 s for each visible top-level window that is hidden or destroyed.
  use_wine_desktop Default 1024x768
  wineserver -w
  touch "$stamp"
fi

# Wine draws the caption buttons with Marlett, which this Wine does not find in its own font folder.
[ -f prefix/drive_c/windows/Fonts/marlett.ttf ] ||
  cp /usr/share/wine/fonts/marlett.ttf prefix/drive_c/windows/Fonts/

# Read-only targets. Root writes through permission bits, so prefer the immutable attribute;
# cleanup.sh lifts it again. Q:\readonly holds a settings file that no save may replace.
chattr -i drives/o drives/q/readonly 2>/dev/null || true
rm -rf drives/o/* drives/q/readonly
mkdir -p drives/q/readonly
printf 'previous settings' >drives/q/readonly/settings.cfg
for d in drives/o drives/q/readonly; do chattr +i "$d" 2>/dev/null || chmod 555 "$d"; done

# Drive links and types are read when the Wine server starts: begin with a fresh one.
wineserver -k 2>/dev/null || true
wineserver -w
echo "Wine prefix $WINEPREFIX, display $DISPLAY"
