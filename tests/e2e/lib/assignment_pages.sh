# The main window's assignment pages as a person uses them: labels read from
# their tips, clicked, and the function menu they open. Sourced after
# session.sh; the window is "$title".

# The page area: 621 x 220 at (48, 118) of the window.
page_point() {
  rect=$(probe rect "$title") || fail "no window to point at"
  set -- $rect "$1" "$2"
  echo $(($1 + 48 + $5)) $(($2 + 118 + $6))
}
# The tip shown while the pointer rests on a label of the page, which says
# what the label says. label_tip X Y (page coordinates).
tip_text() { probe balloons | awk '{ sub(/^[-0-9]+ [-0-9]+ [-0-9]+ [-0-9]+ /, ""); print; exit }'; }
tip_shown() { [ -n "$(tip_text)" ]; }
label_tip() {
  park_pointer
  set -- $(page_point "$1" "$2")
  move_pointer $(($1 - 3)) $(($2 - 2))
  move_pointer "$1" "$2"
  await 10 "no tip appeared over the label at $1 $2" tip_shown
  tip_text
}
label_says() {
  said=$(label_tip "$1" "$2")
  [ "$said" = "$3" ] || fail "the label at $1 $2 says '$said', not '$3'"
}
click_label() {
  set -- $(page_point "$1" "$2")
  click_at "$1" "$2"
}
# The function menu: an untitled 164 x 253 dialog. Prints its left and top.
function_menu() { probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 164 && $5 - $3 == 253 { print $2, $3; exit }' | grep .; }
editing_list() { probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 150 && $5 - $3 == 184 { print $2, $3; exit }' | grep .; }
# pick_from_menu ENTRY [SUB]: the top-level entry ENTRY (0 first), or the
# SUB-th function of the category there.
pick_from_menu() {
  await 10 "the label opened no function menu" function_menu
  set -- $(function_menu) "$@"
  entry_y=$(($2 + $3 * 23 + 11))
  if [ $# -eq 3 ]; then
    click_at $(($1 + 60)) $entry_y
    return
  fi
  move_pointer $(($1 + 60)) $entry_y
  move_pointer $(($1 + 70)) $entry_y
  await 10 "resting on the category opened no list" editing_list
  # Along the entry into the list, as a hand moves, each step taken.
  for x in 100 130 160 190 200; do
    move_pointer $(($1 + x)) $entry_y
  done
  set -- $(editing_list) "$4"
  move_pointer $(($1 + 50)) $(($2 + $3 * 23 + 11))
  shot function-menu
  xdotool click 1
}
