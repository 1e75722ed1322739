# How the project runs Windows programs under Wine. Sourced by every script
# that starts one, after it has set VN24G_CMAKE_DIR (this folder) and
# WINEPREFIX.
#
# - The prefix's architecture is what the machine can run (wine-arch.sh): a
#   32-bit prefix, or a 64-bit one with the 64-bit loader on a kernel that
#   runs 64-bit code only. The Windows builds follow the same choice.
# - Windows must look and measure as on Windows on every machine: the prefix
#   gets Wine's own fonts (Tahoma behind "MS Shell Dlg", Marlett for the
#   caption buttons) and fontconfig offers Wine nothing else, so no font the
#   machine happens to have can stand in for them.

WINEARCH=$("$VN24G_CMAKE_DIR/wine-arch.sh")
export WINEARCH
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs: the program needs neither. No menu
# entries or file associations of this machine's desktop for what is
# installed in a prefix (the installer's Start-menu shortcut).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
export FONTCONFIG_FILE="$VN24G_CMAKE_DIR/wine-fonts.conf"
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  case ":$PATH:" in
    *":$VN24G_CMAKE_DIR/wine64:"*) ;;
    *) PATH="$VN24G_CMAKE_DIR/wine64:$PATH"; export PATH ;;
  esac
fi

# Makes WINEPREFIX once; callers hold whatever lock keeps two of them from
# doing it at the same time. Further settings of a caller follow with
# `wine reg add`.
wine_prepare_prefix() {
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait >/dev/null 2>&1 || true
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
  # Without a window manager Wine waits for one whenever a top-level window
  # is hidden; the program hides windows often, so let Wine manage them.
  wine reg add 'HKEY_CURRENT_USER\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
}
