#!/bin/bash
# Prepares the build tree's Wine test environment: a private Xvfb, the Wine prefix (created once
# per build tree) and the test drives:
#   P:, Q:  fixed disks on writable folders      R:  CD-ROM      S:  floppy (removable)
#   O:      fixed disk on a folder nothing can be written to
# Usage: setup.sh BUILD_DIR
set -euo pipefail
wine_dir=$(realpath -m "$1/wine")
mkdir -p "$wine_dir"
cd "$wine_dir"
export WINEPREFIX="$wine_dir/prefix" WINEDEBUG=-all

# A private X server, one per build tree.
if ! { [ -f xvfb.pid ] && kill -0 "$(cat xvfb.pid)" 2>/dev/null; }; then
  for n in $(seq 101 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      echo "$pid" >xvfb.pid
      echo ":$n" >display
      break
    fi
  done
fi
[ -f display ] || { echo "no display for Xvfb" >&2; exit 1; }
export DISPLAY=$(cat display)

if [ ! -f prefix/.qvs-ready ]; then
  rm -rf prefix drives
  wineboot -i >/dev/null 2>&1
  mkdir -p drives/o drives/p drives/q drives/r drives/s
  for d in o p q r s; do ln -sfn "$wine_dir/drives/$d" "prefix/dosdevices/$d:"; done
  for d in o p q; do wine reg add 'HKLM\Software\Wine\Drives' /v "$d:" /d hd /f >/dev/null; done
  wine reg add 'HKLM\Software\Wine\Drives' /v r: /d cdrom /f >/dev/null
  wine reg add 'HKLM\Software\Wine\Drives' /v s: /d floppy /f >/dev/null
  wineserver -w
  touch prefix/.qvs-ready
fi

# Read-only target. Root writes through permission bits, so prefer the immutable attribute;
# cleanup.sh lifts it again.
rm -f drives/o/* 2>/dev/null || true
chattr +i drives/o 2>/dev/null || chmod 555 drives/o

# Drive links and types are read when the Wine server starts: begin with a fresh one.
wineserver -k 2>/dev/null || true
wineserver -w
echo "Wine prefix $WINEPREFIX, display $DISPLAY"
