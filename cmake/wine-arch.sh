#!/bin/sh
# Prints the Windows architecture that this machine's Wine can run: win32
# where 32-bit Linux programs run (Wine's 32-bit loader answers), win64 on a
# kernel that runs 64-bit code only. VN24G_WINE_ARCH overrides the choice.
if [ -n "${VN24G_WINE_ARCH:-}" ]; then
  echo "$VN24G_WINE_ARCH"
elif [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi
