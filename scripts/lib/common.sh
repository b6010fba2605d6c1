# Shared by scripts/build, scripts/run and scripts/test: the project root and the packages that
# building, running and testing need, installed with apt-get when missing.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

QVS_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++ googletest libgtest-dev clang clang-format libclang-rt-dev
  wine wine64 fonts-wine fonts-wqy-microhei xvfb x11-utils imagemagick e2fsprogs zip git python3
)

# ensure_packages [PACKAGE...]: those, or else all of the above.
ensure_packages() {
  local wanted=("$@") missing=()
  [ $# -gt 0 ] || wanted=("${QVS_PACKAGES[@]}")
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    "${missing[@]}" >/dev/null
}

# Starts a private Xvfb with the screen SIZE (WxHxD) on a display number that it finds free (also
# one that an X server in another root holds), and waits until it answers: exports DISPLAY and
# sets xvfb_pid. Fails with one line when it does not answer within 60 s.
start_xvfb() { # SIZE
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -screen 0 "$1" 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 600); do
    if [ -s "$number" ] && DISPLAY=":$(head -n1 "$number")" xdpyinfo >/dev/null 2>&1; then
      export DISPLAY=":$(head -n1 "$number")"
      rm -f "$number"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$number"
  echo "error: no X server: Xvfb did not answer within 60 s" >&2
  return 1
}

# Waits up to 60 s until the X screen shows a window whose whole name matches the extended
# regular expression NAME; fails with one line naming WHAT.
wait_for_window() { # NAME WHAT
  for _ in $(seq 300); do
    # Not grep -q: xwininfo, cut short, would fail the pipe.
    xwininfo -root -tree 2>/dev/null | grep -E "\"($1)\"" >/dev/null && return 0
    sleep 0.2
  done
  echo "error: $2 did not appear on $DISPLAY within 60 s" >&2
  return 1
}

# In the prefix named by WINEPREFIX: the taskbar and notification area of Wine's virtual desktop
# NAME, which Wine 10 draws only when the desktop's own key asks for them (Wine 8 always does).
enable_desktop_shell() { # NAME
  wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$1" /v EnableShell /t REG_DWORD /d 1 \
    /f >/dev/null
}
# Makes the virtual desktop NAME of SIZE (WxH), with its taskbar, the one that every program of
# the prefix opens in.
use_wine_desktop() { # NAME SIZE
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$1" /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$1" /d "$2" /f >/dev/null
  enable_desktop_shell "$1"
}
# The X window of a virtual desktop: "NAME - Wine desktop" under Wine 8, "Wine Desktop" under 10.
wine_desktop_window='[^"]* - Wine desktop|Wine Desktop'

# Creates the Wine prefix named by WINEPREFIX when it does not exist yet, and gives it the Marlett
# font, which this Wine does not find in its own font folder (caption buttons read "0 1 r"
# without it).
prepare_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  wineserver -w
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# Links a Chinese and Japanese font behind the dialog and menu font Tahoma (on) or removes the
# link (off), in the prefix named by WINEPREFIX. Windows links its own fonts so; Wine 8 draws
# every text of a linked font with the linked one, Latin too, so the link is only set where
# those languages are shown.
link_cjk_font() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  if [ "$1" = on ]; then
    wine reg add "$key" /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
  else
    wine reg delete "$key" /v Tahoma /f
  fi >/dev/null 2>&1
  wineserver -w
}
