# Shared by scripts/build, scripts/run and scripts/test: the project root and the packages that
# building, running and testing need, installed with apt-get when missing.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

QVS_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++ googletest libgtest-dev clang clang-format libclang-rt-14-dev
  wine wine64 fonts-wine fonts-droid-fallback xvfb x11-utils imagemagick e2fsprogs zip git python3
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
# without it), and a Chinese and Japanese font linked behind the dialog and menu fonts, as
# Windows links its own, so that those languages show their glyphs rather than boxes.
prepare_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  wineserver -w
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  if [ ! -f "$fonts/DroidSansFallbackFull.ttf" ]; then
    local face
    for face in Tahoma "Microsoft Sans Serif" "Segoe UI"; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$face" /t REG_MULTI_SZ /d 'DroidSansFallbackFull.ttf,Droid Sans Fallback' /f >/dev/null
    done
    wineserver -w
    cp /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf "$fonts/"
  fi
}
