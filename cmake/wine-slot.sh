#!/bin/sh
# Runs a command, an end-to-end script, in a free Wine slot of a build:
#
#   wine-slot.sh BUILD_DIR COMMAND [ARGUMENTS...]
#
# A slot is a folder (BUILD_DIR/wine-slots/N) that holds the Wine prefixes
# and the virtual screen of whatever runs in it, so as many scripts can run
# side by side as there are slots, one per processor, and none sees another's
# windows, registry or simulator. The command learns its slot from
# VN24G_WINE_SLOT_DIR. A slot is taken with a lock held until the command
# ends; when every slot is taken, the script waits for one to come free.
# What runs in a slot runs on virtual screens, never on the display of the
# person who started the tests, where two slots would take each other's focus.
set -eu
unset DISPLAY
build=$(cd "$1" && pwd)
shift
slots=$(nproc 2>/dev/null || echo 1)
root="$build/wine-slots"
mkdir -p "$root"
deadline=$(($(date +%s) + 1800))
while :; do
  slot=0
  while [ $slot -lt "$slots" ]; do
    dir="$root/$slot"
    mkdir -p "$dir"
    exec 8>"$dir/lock"
    if flock -n 8; then
      export VN24G_WINE_SLOT_DIR="$dir"
      status=0
      "$@" 8>&- || status=$?
      exit $status
    fi
    exec 8>&-
    slot=$((slot + 1))
  done
  if [ "$(date +%s)" -ge "$deadline" ]; then
    echo "FAILED: no Wine slot came free in half an hour"
    exit 1
  fi
  sleep 1
done
