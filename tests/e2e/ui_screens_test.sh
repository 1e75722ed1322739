#!/bin/sh
# Screenshots of the window layer's windows on the program's own skins and
# texts, taken on a virtual display of their own, with checks that each
# window shows where it belongs at its size and is not blank:
#   the message dialog with the texts of its three callers and a message too
#   long for it, the key-combination and program-launch dialogs, the
#   device selection dialog, every skinned button class in
#   every state, the tray menu with its device sub-menu open, and the device
#   drop-down, whose names are measured on the screenshot: each entry shows
#   the picture of its state and its text stands out from it.
# The pictures stay in BUILD_DIR/screens for looking at.
#
#   ui_screens_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
demo="$build/tools/uidemo/vn24g_uidemo.exe"
shots="$build/screens"
if [ ! -f "$demo" ] || [ ! -f "$build/dist/language.xml" ] || [ ! -f "$build/tests/vn24g_windowprobe.exe" ]; then
  echo "skipped: needs the window-layer demo, the window probe and the program folder of a Windows build"
  exit 0
fi
for tool in Xvfb xwininfo xdotool import convert python3; do
  command -v $tool >/dev/null || { echo "skipped: $tool is missing"; exit 0; }
done
mkdir -p "$shots"

. "$(dirname "$0")/lib/demo_display.sh"

# Standard deviation of a region of a screenshot: 0 for a blank area.
spread() {
  convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:standard_deviation*1000]' info: | cut -d. -f1
}

# Starts a scene, waits for its window, optionally moves the pointer, takes
# the screenshot and lets the scene close itself. A window without a fixed
# size is found by its title (title=... before the call).
shoot() {
  scene=$1 size=$2
  shift 2
  # The scene closes itself after eight seconds, time enough for the pointer's
  # moves and the screenshot on a busy machine.
  "$run" "$demo" "$scene" "$folder" 8 >/dev/null 2>&1 &
  demo_pid=$!
  if ! geometry=$(wait_for_window "$size" "${title:-}"); then
    fail "$scene: no window of size $size appeared"
    wait "$demo_pid" || true
    demo_pid=
    return
  fi
  for move in "$@"; do
    move_pointer $move
  done
  # A window may show before it has painted: look again for a while before
  # calling it blank.
  for _ in 1 2 3 4 5; do
    sleep 0.8
    import -window root "$shots/$scene.png"
    [ "$(spread "$shots/$scene.png" "$geometry")" -gt 20 ] && break
  done
  convert "$shots/$scene.png" -crop "$geometry" +repage "$shots/$scene-window.png"
  wait "$demo_pid" || true
  demo_pid=
  [ "$(spread "$shots/$scene.png" "$geometry")" -gt 20 ] || fail "$scene: the window is blank"
  echo "$scene: $geometry"
}

centred_message() {
  x=${2#351x141+}
  y=${x#*+}
  x=${x%+*}
  # Centred on the work area: the same place for every message.
  [ "$x" -ge 400 ] && [ "$x" -le 500 ] && [ "$y" -ge 380 ] && [ "$y" -le 480 ] || fail "$1: dialog at $x,$y"
}

for scene in tips reset about long; do
  shoot $scene 351x141
  [ -n "$geometry" ] && centred_message $scene "$geometry"
done
# The assignment dialogs of the function menus, as empty as they open for a
# button without a combination or program; the launch dialog sits where
# the message does.
shoot combo 268x141
shoot launch 351x141
[ -n "$geometry" ] && centred_message launch "$geometry"
# The device selection dialog is an ordinary dialog: its size comes from its
# template (227 x 47 dialog units) and the dialog font, Tahoma 8 pt, whose
# base units are 6 x 13 pixels: a 341 x 76 client area (rounded), inside
# Wine's 3-pixel dialog frame and 19-pixel caption.
title="Choose Your Device"
shoot select '[0-9]*x[0-9]*'
title=
[ "${geometry%%+*}" = 347x101 ] || fail "select: the dialog is ${geometry%%+*}, not 347x101 as Tahoma 8 pt makes it"
shoot buttons 1050x260
# The menu opens at 400,300. The device entry (third row, under the 25-pixel
# banner and one entry) opens its sub-menu to the right; the pointer goes
# along the row into it and rests on the sub-menu's second model.
shoot traymenu '1[2-9][0-9]x1[0-9][0-9]' "450 361" "570 361" "570 383"
# The drop-down opens at 400,300 with the three sample models, the last one
# current; the pointer rests on the first. At rest a name is slate on
# menu1_n, under the pointer white on menu1_o, the current one orange on
# menu1_d.
shoot devicemenu 120x66 "460 311"
if [ -n "$geometry" ]; then
  origin=${geometry#*+}
  convert "$shots/devicemenu.png" -depth 8 "$shots/devicemenu.ppm"
  for picture in menu1_n menu1_o menu1_d; do
    convert "$build/dist/skins/$picture.png" -depth 8 "$shots/$picture.ppm"
  done
  python3 "$(dirname "$0")/lib/entry_text_contrast.py" "$shots/devicemenu.ppm" \
    "${origin%+*}" "${origin#*+}" 120 22 \
    "$shots/menu1_o.ppm:255,255,255" "$shots/menu1_n.ppm:83,97,103" "$shots/menu1_d.ppm:235,141,36" ||
    fail "devicemenu: a name does not read on its entry"
  rm -f "$shots"/*.ppm
fi

echo "screenshots in $shots"
[ "$failures" -eq 0 ]
