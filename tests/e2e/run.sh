#!/bin/bash
# End-to-end scenarios: the packaged program under Wine and a private Xvfb, in a prefix of its
# own, driven from outside by qvs_drive.exe; then screenshots of every dialog and the tray menu.
# Usage: run.sh BUILD_DIR DRIVER SCREENS SCREENSHOT_DIR
set -uo pipefail
# Language names on command lines reach Wine in the locale's character set.
export LC_ALL=C.UTF-8
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/common.sh"
source "$here/../../scripts/lib/package.sh"
build=$(realpath -m "$1")
driver=$(realpath "$2")
screens=$(realpath "$3")
shots=$(realpath -m "$4")
work=$build/e2e
export WINEPREFIX=$work/prefix WINEDEBUG=-all
mkdir -p "$work" "$shots"

# No check runs against a display or desktop that is not there.
start_xvfb 1280x1024x24 || exit 1
trap 'wineserver -k 2>/dev/null; kill $xvfb_pid 2>/dev/null' EXIT
if [ ! -f "$WINEPREFIX/.qvs-e2e-2" ]; then
  rm -rf "$WINEPREFIX"
  prepare_prefix
  # One virtual desktop with a taskbar, whose notification area holds the icon and balloon.
  use_wine_desktop Default 1280x1024
  touch "$WINEPREFIX/.qvs-e2e-2"
fi
prepare_prefix
# Wine's desktop, held open for the whole run by a program of its own: Wine 10 closes it as soon
# as its last program ends, and opens it anew for the next.
wine "$driver" desktop &
desktop=$!
wait_for_window "$wine_desktop_window" "Wine's desktop" || exit 1
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg delete "$run_key" /v Quorvalestrane /f >/dev/null 2>&1
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
wine reg delete 'HKCC\Software\Fonts' /v LogPixels /f >/dev/null 2>&1
package "$build/qvs_x64.exe" "$here/../../lang" "$work/dist"

failures=0
check() { # NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok   $1"; else
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}
drive() { wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }
# Polls a control's text for up to 5 s, then checks it: NAME ID EXPECTED
check_text() {
  local text
  for _ in $(seq 25); do
    text=$(drive text "$2")
    [ "$text" = "$3" ] && break
    sleep 0.2
  done
  check "$1" "$3" "$text"
}
# A fresh copy of the package in FOLDER, optionally without its languages.
install() { rm -rf "$1" && mkdir -p "$1" && cp "$work/dist/qvs_x64.exe" "$1/" && { [ "${2:-}" = bare ] || cp -r "$work/dist/lang" "$1/"; }; }
start() { wine "$1/qvs_x64.exe" & pid=$!; }
finish() { # NAME: ends the program with the Exit button and checks its exit code
  drive command 1011
  wait "$pid"
  check "$1: exit code" 0 $?
}
bytes() { od -An -v -tx1 "$1" 2>/dev/null | tr -d ' \n'; }

# First start, hide, restart; then languages and the interval's bounds. The folder has spaces in
# its path, as "Program Files" would: the settings and the quoted Run value must cope.
app="$work/with spaces/Quorvalestrane 1.0"
install "$app"
start "$app"
drive wait shown
check_text "first start: English" 1016 "&Hide"
check "first start: balloons on" 1 "$(drive checked 1012)"
drive command 1016
drive wait hidden
check "hide: the 35-byte file" \
  02000000000000000d0a0000000700000045006e0067006c0069007300680001000000 \
  "$(bytes "$app/settings.cfg")"
drive command 32775
while read -r language hide; do
  drive language "$language"
  check_text "language $language" 1016 "$hide"
done <<'TABLE'
Deutsch &Ausblenden
Русский &Скрыть
日本語 非表示(&H)
English &Hide
TABLE
while read -r typed stored; do
  drive settext 1008 "$typed"
  drive command 1016
  drive wait hidden
  check "interval $typed saved as" "$stored" "$(bytes "$app/settings.cfg" | cut -c17-18)"
  drive command 32775
  drive wait shown
done <<'TABLE'
99 0f
0 01
7 07
TABLE
finish "first run"
start "$app"
drive wait shown
check "restart: interval" 7 "$(drive text 1008)"
finish "restart"

# Autostart: the quoted value; the next start shows only the icon, a double-click the dialog.
start "$app"
drive wait shown
drive click 1009
check "autostart: box" 1 "$(drive checked 1009)"
value=$(wine reg query "$run_key" /v Quorvalestrane 2>/dev/null | tr -d '\r' | grep REG_SZ)
check "autostart: quoted value" 1 "$(echo "$value" | grep -c '"Z:.*\\qvs_x64.exe"$')"
finish "autostart on"
start "$app"
# Once the icon is there the start is over: the dialog must still be hidden.
for _ in $(seq 50); do [ "$(drive icon)" = 1 ] && break; sleep 0.2; done
drive wait hidden 1
check "autostart: only the icon" 0 $?
drive tray 0x203
drive wait shown
check "autostart: double-click shows" 0 $?
drive click 1009
check "autostart: removed" "" "$(wine reg query "$run_key" /v Quorvalestrane 2>/dev/null | grep REG_SZ)"
# Exit through the tray menu: the command the menu sends. (That the icon goes is checked by
# win32.tray: Wine's desktop drops the icons of an ended program by itself.)
check "tray: icon shown" 1 "$(drive icon)"
rm -f "$app/settings.cfg"
drive command 32776
wait "$pid"
check "tray exit: exit code" 0 $?
check "tray exit: settings written" 1 "$([ -f "$app/settings.cfg" ] && echo 1)"

# A second start from the same folder brings the first copy's dialog back and ends with 0.
start "$app"
first=$pid
drive wait shown
drive command 1016
drive wait hidden
wine "$app/qvs_x64.exe"
check "second start: exit code" 0 $?
drive wait shown
check "second start: first copy shown" 0 $?
# The same folder by its short name (Wine reports the program's path as it was started).
drive command 1016
drive wait hidden
short=$(drive short "$(winepath -w "$app")")
timeout 20 wine "$short\\qvs_x64.exe"
check "second start by the short name $short: exit code" 0 $?
drive wait shown
check "second start by the short name: first copy shown" 0 $?
pid=$first
finish "second start"

# Unusual folders and files: no languages, a damaged settings file.
while IFS='|' read -r name kind; do
  folder="$work/$name"
  install "$folder" "$kind"
  # Mode 1, then a drive count no file can hold: the rest keeps its defaults.
  [ "$kind" = damaged ] && printf '\x01\x00\x00\x00\xff\xff\xff\x7f' >"$folder/settings.cfg"
  start "$folder"
  drive wait shown
  check "$name: started" 0 $?
  case $kind in
    bare) check "$name: bare ids" 211 "$(drive text 1016)" ;;
    damaged) check "$name: mode kept, interval default" "1 10" \
      "$(drive checked 1001) $(drive text 1008)" ;;
  esac
  rm -f "$folder/settings.cfg"
  finish "$name"
  check "$name: settings written" 1 "$([ -f "$folder/settings.cfg" ] && echo 1)"
done <<'TABLE'
no languages|bare
damaged settings|damaged
TABLE

# Screenshots: every dialog and the open tray menu, at 96 DPI in English, the main dialog in seven
# more languages and the menu in three of them, and at 144 and 192 DPI in English and French,
# whose texts are longest.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
# Each screenshot starts a fresh Wine server with the DPI and fonts it needs: the desktop goes.
wineserver -k
wait "$desktop"
screens_dir=$work/screens
install "$screens_dir"
cp "$screens" "$screens_dir/"
link_cjk_font off
linked=off
while read -r dpi mode language name; do
  set_dpi "$dpi"
  case $language in 简体中文 | 日本語) cjk=on ;; *) cjk=off ;; esac
  [ "$cjk" = "$linked" ] || { link_cjk_font "$cjk" && linked=$cjk; }
  rm -f "$work/ready"
  wine "$screens_dir/$(basename "$screens")" "$mode" "$language" "$(winepath -w "$work/ready")" \
    2>/dev/null &
  shown=$!
  for _ in $(seq 100); do [ -f "$work/ready" ] && break; sleep 0.1; done
  import -window root "$shots/$name.png"
  check "screenshot $name" 1 "$([ -f "$work/ready" ] && [ -s "$shots/$name.png" ] && echo 1)"
  kill "$shown" 2>/dev/null
  wineserver -k 2>/dev/null
  wait "$shown" 2>/dev/null
done <<'TABLE'
96 dialog English settings-en
96 dialog Deutsch settings-de
96 dialog Français settings-fr
96 dialog Español settings-es
96 dialog Русский settings-ru
96 dialog Português settings-pt
96 menu Português tray-menu-pt
96 dialog 简体中文 settings-zh
96 menu 简体中文 tray-menu-zh
96 dialog 日本語 settings-ja
96 menu 日本語 tray-menu-ja
96 picker English picker-en
96 about English about-en
96 menu English tray-menu-en
144 dialog English settings-en-144dpi
144 picker English picker-en-144dpi
144 about English about-en-144dpi
144 menu English tray-menu-en-144dpi
144 dialog Français settings-fr-144dpi
144 picker Français picker-fr-144dpi
144 about Français about-fr-144dpi
144 menu Français tray-menu-fr-144dpi
192 dialog English settings-en-192dpi
192 picker English picker-en-192dpi
192 about English about-en-192dpi
192 menu English tray-menu-en-192dpi
192 dialog Français settings-fr-192dpi
192 picker Français picker-fr-192dpi
192 about Français about-fr-192dpi
192 menu Français tray-menu-fr-192dpi
TABLE
set_dpi 96
link_cjk_font off
echo "screenshots: $shots"
echo "$failures failed"
[ "$failures" -eq 0 ]
