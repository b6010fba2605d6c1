# Shared by scripts/build, scripts/run and scripts/test: the project root and the packages that
# building, running and testing need, installed with apt-get when missing.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

QVS_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++ googletest libgtest-dev clang clang-format libclang-rt-14-dev
  wine wine64 fonts-wine fonts-wqy-microhei xvfb x11-utils imagemagick e2fsprogs zip git python3
)

ensure_packages() {
  local missing=()
  for package in "${QVS_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
    "${missing[@]}" >/dev/null
}

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
