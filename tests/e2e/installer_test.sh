#!/bin/sh
# The installer and the uninstaller on a Wine desktop, with the device
# simulator playing the receiver:
#   - setup.exe /S puts every file of the distribution folder into the
#     Program Files folder, a Start-menu shortcut, the start with Windows,
#     the Add/Remove Programs entry, and lets users change the settings key;
#   - the installed program starts from the shortcut, asks for the device,
#     writes the choice into its own folder, shows its tray icon, and opens
#     its help.chm through the shell from the tray menu and from the window;
#   - a second installation over the first, with the program running and
#     its macro editor open, ends the program, replaces the hook library the
#     editor held, brings back a missing file, keeps the device choice and
#     the stored settings, and takes back the start with Windows when told;
#   - the silent uninstaller, run while the program runs, ends it and
#     removes every installed file, the folders, the shortcut and the
#     entries, and keeps the settings; installing again brings back the
#     device choice; asked to, the uninstaller removes the settings too.
# A handler for .chm files in the session's prefix writes down what the
# shell was asked to open.
#
#   installer_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=installer
. "$repo/tools/windowprobe/session.sh"
. "$repo/tests/e2e/lib/assignment_pages.sh"
. "$repo/tests/e2e/lib/macro_editor.sh"
session_check

setup="$build/setup.exe"
[ -f "$setup" ] || { echo "skipped: needs setup.exe (build target vn24g_setup)"; exit 0; }
# The PE header's machine field: 0x14c for a 32-bit program, 0x8664 for x86-64.
header=$(od -An -tu4 -j60 -N4 "$setup" | tr -d ' ')
machine=$(od -An -tu2 -j$((header + 4)) -N2 "$setup" | tr -d ' ')
if [ "$machine" = 332 ] && [ "$("$repo/cmake/wine-arch.sh")" = win64 ]; then
  echo "skipped: setup.exe is a 32-bit program and this machine's Wine runs 64-bit programs only"
  exit 0
fi

session_start
# Wine keeps the access lists of registry keys only while its server runs,
# so the server stays up for the whole script (it ends with the session).
wineserver -k >/dev/null 2>&1 8>&- || true
wineserver -w >/dev/null 2>&1 8>&- || true
wineserver -p 8>&- || fail "the Wine server did not start"
await 60 "the Wine desktop did not come back" desktop_shown

install_win='C:\Program Files\Varnok\VN24G'
install_dir="$prefix/drive_c/Program Files/Varnok/VN24G"
maker_dir=$(dirname "$install_dir")
menu_dir="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varnok"
shortcut_win="C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Varnok\\$title.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VN24G'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKLM\Software\Varnok\VN24G'
tempo="Varnok Tempo K7"
FN_SELECT_ALL=0x44
help_log="$home/help-opened.txt"

# The program's settings live in the registry's 32-bit view whichever
# flavour is installed; on a 64-bit system that view is a key of its own.
settings_view=/reg:32
if [ "$("$repo/cmake/wine-arch.sh")" = win64 ]; then
  settings_object='MACHINE\SOFTWARE\WOW6432Node\Varnok\VN24G'
else
  settings_object='MACHINE\SOFTWARE\Varnok\VN24G'
fi

# reg_value KEY NAME [VIEW]: prints the value's data; fails when there is none.
reg_value() {
  w reg query "$1" /v "$2" ${3:-} 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; found = 1 } END { exit !found }'
}
no_reg_value() { ! reg_value "$@" >/dev/null; }
# reg_key_exists KEY [VIEW]
reg_key_exists() { w reg query "$1" ${2:-} >/dev/null 2>&1; }
installed_model() { sed -n 's/^CurDevice=\(.*\)$/\1/p' "$install_dir/VNType.ini" | tr -d '\r'; }
stored_keys() { probe assignments "$tempo" | sed -n 's/^keys //p'; }

# Every file of the distribution folder is installed, byte for byte; the
# device list may name the device in use (and, rewritten by the profile
# functions, lose its blank lines).
without_device_choice() { tr -d '\r' <"$1" | grep -v -e '^CurDevice=' -e '^$'; }
installed_as_built() {
  (cd "$build/dist" && find . -type f) | while read -r file; do
    if [ "$file" = ./VNType.ini ]; then
      [ "$(without_device_choice "$build/dist/$file")" = "$(without_device_choice "$install_dir/$file")" ]
    else
      cmp -s "$build/dist/$file" "$install_dir/$file"
    fi || { echo "$file"; return 1; }
  done
}
nothing_installed_left() {
  [ ! -e "$install_dir" ] && [ ! -e "$maker_dir" ] && [ ! -e "$menu_dir" ]
}
# Users may read, set values and create keys under the settings key, and
# so under every model's key below it.
users_may_store_settings() {
  probe access key "$settings_object" >"$home/access.out" || return 1
  while read -r kind sid mask flags; do
    [ "$kind" = allow ] && [ "$sid" = S-1-5-32-545 ] || continue
    # The access the program asks for, handed down to the keys below
    # (container inherit) and not only to them (inherit only).
    [ $((mask & 0x2001F)) -eq $((0x2001F)) ] && [ $((flags & 0x02)) -ne 0 ] && [ $((flags & 0x08)) -eq 0 ] &&
      return 0
  done <"$home/access.out"
  return 1
}

# The .chm handler of the prefix is replaced by one that writes down the
# file it is given; the prefix gets its own back at the end.
chm_class=$(w reg query 'HKCR\.chm' /ve 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ { print $NF }')
[ "$chm_class" = VN24G.HelpRecorder ] && chm_class=chm.file
restore_prefix() {
  set +e
  w reg add 'HKCR\.chm' /ve /d "${chm_class:-chm.file}" /f >/dev/null 2>&1
  w reg delete 'HKCR\VN24G.HelpRecorder' /f >/dev/null 2>&1
  w reg delete "$uninstall_key" /f >/dev/null 2>&1
  w reg delete "$run_key" /v VN24G /f >/dev/null 2>&1
  w reg delete 'HKLM\Software\Varnok' /f /reg:32 >/dev/null 2>&1
  rm -rf "$maker_dir" "$menu_dir"
}
trap 'restore_prefix; session_end' EXIT
restore_prefix
rm -f "$help_log"
w reg add 'HKCR\VN24G.HelpRecorder\shell\open\command' /ve \
  /d "C:\\windows\\system32\\cmd.exe /c echo \"%1\">>\"$(windows_path "$help_log")\"" /f >/dev/null ||
  fail "could not register the help recorder"
w reg add 'HKCR\.chm' /ve /d VN24G.HelpRecorder /f >/dev/null || fail "could not register the help recorder"
help_opened() { [ "$(grep -c -F "\"$install_win\\help.chm\"" "$help_log" 2>/dev/null)" -ge "$1" ]; }

fail_details() {
  echo "installed files:"
  find "$maker_dir" "$menu_dir" 2>/dev/null | sed 's/^/  /'
  echo "shell asked to open:"
  sed 's/^/  /' "$help_log" 2>/dev/null
}

echo "setup.exe /S installs into the Program Files folder"
w "$setup" /S || fail "setup.exe /S ended with status $?"
mismatch=$(installed_as_built) || fail "the installed $mismatch differs from the built one or is missing"
[ -f "$install_dir/uninstall.exe" ] || fail "no uninstaller was installed"
[ -f "$menu_dir/$title.lnk" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$uninstall_key" InstallLocation)" = "$install_win" ] ||
  fail "Add/Remove Programs has the location \"$(reg_value "$uninstall_key" InstallLocation)\""
[ "$(reg_value "$uninstall_key" UninstallString)" = "\"$install_win\\uninstall.exe\"" ] ||
  fail "Add/Remove Programs has the uninstaller \"$(reg_value "$uninstall_key" UninstallString)\""
[ "$(reg_value "$uninstall_key" DisplayName)" = "$title" ] || fail "Add/Remove Programs shows another name"
[ "$(reg_value "$uninstall_key" Publisher)" = Varnok ] || fail "Add/Remove Programs shows another maker"
[ "$(reg_value "$run_key" VN24G)" = "\"$install_win\\vn24g.exe\"" ] ||
  fail "the program does not start with Windows: \"$(reg_value "$run_key" VN24G)\""
users_may_store_settings || fail "users may not store settings:
$(probe access key "$settings_object")"

echo "the installed program starts from its Start-menu shortcut"
start_simulator 2000
w start "$shortcut_win" || fail "the shortcut could not be started"
await 60 "the installed program did not ask for the device" window_exists "Choose Your Device"
# The list has the keyboard focus; the second model is the Tempo K7.
xdotool key Down Down
keys_through
click_control "Choose Your Device" 1003
await 60 "the program did not go on after the device was chosen" window_exists
[ "$(installed_model)" = 0x9070 ] || fail "the program did not write its device into its own folder"
await 30 "the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
dismiss_balloon

echo "Help from the tray menu and from the window opens the installed help.chm"
open_tray_menu
click_at $menu_x "$(menu_entry_y $menu_bottom 3)"
await 30 "the tray menu's Help did not open help.chm through the shell" help_opened 1
double_click_tray
await 20 "a double click on the tray icon did not show the window" window_is shown
click_in "$title" 576 43
await 30 "the window's help button did not open help.chm through the shell" help_opened 2
shot help-opened
click_in "$title" 636 43
await 20 "the close button did not hide the window" window_is hidden

echo "a second installation over the running program keeps the choices and replaces the libraries in use"
probe assign "$tempo" key 4 $FN_SELECT_ALL || fail "could not store a setting: $(cat "$home/last.out.err")"
settings_before=$(stored_keys)
reg_value "$settings_key\\24GMacro" MacroSetting $settings_view >/dev/null || fail "the program stored no macros"
rm "$install_dir/help.chm"
# The installed hook library gets a byte more than the built one, so only a
# replaced file matches the build afterwards; the macro editor, open over
# the window, holds it loaded while the installer runs.
printf x >>"$install_dir/KBGetKey.dll"
double_click_tray
await 20 "a double click on the tray icon did not show the window" window_is shown
click_label 233 111
pick_from_menu 2
await 20 "the function menu's macro entry opened no macro editor" window_exists "$editor"
w "$setup" /S /NOSTARTUP || fail "the second setup.exe /S ended with status $?"
window_exists && fail "the second installation did not end the running program"
window_exists "$editor" && fail "the second installation left the macro editor open"
mismatch=$(installed_as_built) || fail "after the second installation $mismatch differs from the built one"
[ "$(installed_model)" = 0x9070 ] || fail "the second installation changed the device to \"$(installed_model)\""
[ "$(stored_keys)" = "$settings_before" ] || fail "the second installation changed the settings: $(stored_keys)"
reg_value "$settings_key\\24GMacro" MacroSetting $settings_view >/dev/null || fail "the second installation lost the macros"
no_reg_value "$run_key" VN24G || fail "/NOSTARTUP left the start with Windows"
users_may_store_settings || fail "after the second installation users may not store settings"

echo "the silent uninstaller removes what was installed and keeps the settings"
w start "$shortcut_win" || fail "the shortcut could not be started"
await 60 "the program did not start with the kept device" window_exists
window_exists "Choose Your Device" && fail "the program asked for the device again"
# The uninstaller runs from a copy of itself and comes back at once.
w "$install_dir/uninstall.exe" /S || fail "the uninstaller ended with status $?"
await 120 "the uninstaller did not remove the installation" nothing_installed_left
window_exists && fail "the uninstaller did not end the running program"
reg_key_exists "$uninstall_key" && fail "the program is still listed in Add/Remove Programs"
no_reg_value "$run_key" VN24G || fail "the start with Windows was left behind"
[ "$(stored_keys)" = "$settings_before" ] || fail "the uninstaller changed the settings: $(stored_keys)"
reg_value "$settings_key\\24GMacro" MacroSetting $settings_view >/dev/null || fail "the uninstaller deleted the macros"
[ "$(reg_value "$settings_key" CurDevice $settings_view)" = 0x9070 ] || fail "the uninstaller did not keep the device choice"

echo "installing again brings back the device choice"
w "$setup" /S || fail "setup.exe /S ended with status $?"
[ "$(installed_model)" = 0x9070 ] || fail "the new installation has the device \"$(installed_model)\""
no_reg_value "$settings_key" CurDevice $settings_view || fail "the kept device choice stayed in the settings"

echo "uninstall.exe /S /REMOVESETTINGS removes the settings too"
w "$install_dir/uninstall.exe" /S /REMOVESETTINGS || fail "the uninstaller ended with status $?"
await 120 "the uninstaller did not remove the installation" nothing_installed_left
reg_key_exists 'HKLM\Software\Varnok' $settings_view && fail "the settings were left behind"
echo "installer: ok"
