# The macro editor as a person drives it: its controls by their places on
# the skin, and what the stored macros hold. Sourced after session.sh.

editor="CDlgMacro"
loop_box=1000
delay_box=1001
event_list=257

# The editor on the stored macros, with macro $1 selected.
open_editor() { demo_start "$editor" "$home/demo.out" macro "$home" "${1:--1}"; }
close_editor_with() {
  case $1 in
    ok) demo_close "$editor" $(editor_button ok) OK ;;
    cancel) demo_close "$editor" $(editor_button cancel) Cancel ;;
  esac
}

# Controls by their places on the skin.
# editor_button ok|cancel: where the button is, as X Y in the editor.
editor_button() {
  case $1 in
    ok) echo 313 283 ;;
    cancel) echo 392 283 ;;
  esac
}
click_new() { click_in "$editor" 44 242; }
# Recording starts when the editor has handled the click; keys typed before
# that are not the macro's, so the script waits for the record button's
# look (its caption) to change, and the same for the two switches.
click_record() { click_to_change "$editor" 361 233 291 220 140 26 "the record button did not switch"; }
click_loop_switch() { click_to_change "$editor" 298 53 292 47 12 12 "the loop switch did not switch"; }
click_delay_switch() { click_to_change "$editor" 298 75 292 69 12 12 "the pause switch did not switch"; }
click_modify() { click_in "$editor" 325 99; }
click_left_mouse_button() { click_in "$editor" 337 176; }
# The number boxes (ids 1000 and 1001) switch the recording off while they
# have the keyboard focus; keys are typed into them only once they have it.
focus_is() { [ "$(probe focusid)" = "$1" ]; }
click_loop_box() {
  click_in "$editor" 390 52
  await 20 "the repeat-count box did not take the keyboard" focus_is 1000
}
click_delay_box() {
  click_in "$editor" 389 100
  await 20 "the pause box did not take the keyboard" focus_is 1001
}
# Row N (from 0) of the macro list and of the event list; rows are 18 high.
click_macro_row() { click_in "$editor" 70 $((62 + 18 * $1 + 9)); }
double_click_macro_row() {
  rect=$(probe rect "$editor") || fail "no macro editor to click"
  set -- $rect "$1"
  xdotool mousemove $(($1 + 70)) $(($2 + 62 + 18 * $5 + 9))
  xdotool click --repeat 2 --delay 80 1
}
click_event_row() { click_in "$editor" 200 $((62 + 18 * $1 + 9)); }
# Types the keys; returns once the hook library has reported them, so that
# a later click reaches the editor after the reports.
type_keys() {
  xdotool type "$1"
  keys_through
}
# event_rows_are N: whether the event list shows N rows.
event_rows_are() { [ "$(probe count "$editor" 257)" = "$1" ]; }

# The stored macro N's line of the probe: INDEX DELAYS LOOP COUNT EVENTS NAME.
macro_line() { probe macros | awk -v n="$1" '$1 == n'; }
macro_events() { macro_line "$1" | awk '{ print $5 }'; }
macro_name() { macro_line "$1" | cut -d' ' -f6-; }

# What the editor shows while it is open.
# The event list's rows joined by commas: NAME+ a press, NAME- a release,
# N/ms a pause.
event_rows() {
  probe rows "$editor" $event_list | awk '{ kind = $1; sub(/^[0-9]+ /, "")
    printf "%s%s", (NR > 1 ? "," : ""), (kind == 3 ? $0 "+" : kind == 2 ? $0 "-" : kind == 4 ? $1 "/ms" : $0) }'
}
event_rows_are() { [ "$(event_rows)" = "$1" ]; }
box_text() { probe text "$editor" "$1"; }
# The record button's caption: the language's "Stop" while recording.
recording_shown() { probe children "$editor" | grep -q ' Stop$'; }
recording_not_shown() { probe children "$editor" | grep -q ' Record$'; }
