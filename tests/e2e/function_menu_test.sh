#!/bin/sh
# The assignment pages' function menu on a virtual display of its own, driven
# with real pointer moves and clicks:
#   - the menu opens with its top-left corner at the given point, as wide as
#     its picture and 23 pixels per entry;
#   - resting on the editing category (the sixth entry) opens its eight
#     functions beside the entry, top aligned with it;
#   - the pointer goes along the row into the sub-menu, which stays open;
#   - a click on "Copy" reaches the menu's owner as (category index << 16 |
#     entry index, category code << 16 | function code): 0x00050001,
#     0x00170041, function 65;
#   - opened near the bottom right corner, the menu moves left of and above
#     the point by exactly its own size, and the category's list opens on
#     its left, bottom aligned with the entry.
# Screenshots stay in BUILD_DIR/function-menu.
#
#   function_menu_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
demo="$build/tools/uidemo/vn24g_uidemo.exe"
shots="$build/function-menu"
if [ ! -f "$demo" ] || [ ! -f "$build/dist/skins/KBMenu_Normal.png" ] || [ ! -f "$build/tests/vn24g_windowprobe.exe" ]; then
  echo "skipped: needs the window-layer demo, the window probe and the program folder of a Windows build"
  exit 0
fi
for tool in Xvfb xwininfo xdotool import convert; do
  command -v $tool >/dev/null || { echo "skipped: $tool is missing"; exit 0; }
done
mkdir -p "$shots"
rm -f "$shots"/*.png "$shots"/*.out

. "$(dirname "$0")/lib/demo_display.sh"

# The menu: eleven entries on the 164-pixel wide picture. The editing list:
# eight entries on the 150-pixel wide sub-menu picture.
menu=164x253
editing=150x184

# --- opened in the open, picked with the pointer ---------------------------
"$run" "$demo" functionmenu "$folder" 30 400 300 >"$shots/pick.out" 2>/dev/null &
demo_pid=$!
if ! geometry=$(wait_for_window $menu); then
  fail "no menu of $menu appeared"
else
  [ "$geometry" = "$menu+400+300" ] || fail "menu at $geometry, not $menu+400+300"
  import -window root "$shots/menu.png"
  # The sixth entry's button covers rows 114 to 136 of the menu.
  move_pointer 470 420
  move_pointer 480 425
  if ! sub=$(wait_for_window $editing); then
    fail "resting on the editing category opened no list of $editing"
  else
    # Beside the menu (400 + 164) with its top at the entry's slot (300 + 5 * 23).
    [ "$sub" = "$editing+564+415" ] || fail "editing list at $sub, not $editing+564+415"
    import -window root "$shots/category.png"
    # Along the row into the list, then down onto its second entry, "Copy"
    # (rows 23 to 45 of the list), each move taken before the next. (Had
    # the list closed on the way, the click would pick no Copy.)
    for x in 520 560 580 600; do
      move_pointer $x 425
    done
    window_shown $editing || fail "the list closed on the way into it"
    move_pointer 600 445
    move_pointer 602 449
    import -window root "$shots/copy.png"
    window_shown $editing || fail "the list closed under the pointer"
    xdotool click 1
  fi
fi
wait "$demo_pid" || true
demo_pid=
tr -d '\r' <"$shots/pick.out" >"$shots/pick.txt"
grep -qx 'pick wParam=0x00050001 lParam=0x00170041 function=65' "$shots/pick.txt" ||
  fail "the owner was told '$(cat "$shots/pick.txt")', not the pick of Copy"

# --- opened at the bottom right corner -------------------------------------
# The full-screen client area is the screen less a caption's height; the
# corner point is past both edges, so the menu ends exactly at the point.
"$run" "$demo" functionmenu "$folder" 8 1270 1000 >/dev/null 2>&1 &
demo_pid=$!
if ! geometry=$(wait_for_window $menu); then
  fail "no menu of $menu appeared at the corner"
else
  [ "$geometry" = "$menu+1106+747" ] || fail "menu at the corner at $geometry, not $menu+1106+747"
  # Resting on the editing category: its list opens on the left, touching
  # the menu, its last entry level with the category.
  move_pointer 1180 865
  move_pointer 1185 867
  if ! sub=$(wait_for_window $editing); then
    fail "at the corner the editing category opened no list"
  else
    [ "$sub" = "$editing+956+701" ] || fail "editing list at the corner at $sub, not $editing+956+701"
    import -window root "$shots/corner.png"
  fi
fi
kill "$demo_pid" 2>/dev/null || true
wait "$demo_pid" 2>/dev/null || true
demo_pid=

echo "screenshots in $shots"
[ "$failures" -eq 0 ]
