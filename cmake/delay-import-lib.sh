#!/bin/sh
# Makes an import library whose DLL is loaded at the first call of one of
# its functions rather than when the program starts, from the toolchain's
# ordinary import library of the same DLL (every function it exports).
#
#   delay-import-lib.sh NM DLLTOOL IMPORT_LIB DLL_NAME OUTPUT_LIB
set -e
nm=$1 dlltool=$2 import_lib=$3 dll=$4 output=$5
names=$("$nm" -g --defined-only "$import_lib" | awk '$2 == "T" && $3 !~ /^__imp_/ { print $3 }' | sort -u)
[ -n "$names" ] || { echo "no functions in $import_lib" >&2; exit 1; }
# 32-bit names carry a leading underscore and, for the system's calling
# convention, "@" and the argument bytes; --kill-at drops the latter from
# the name looked up in the DLL.
if printf '%s\n' "$names" | grep -q '@[0-9]*$'; then
  names=$(printf '%s\n' "$names" | sed 's/^_//')
fi
def="$output.def"
{
  echo "LIBRARY $dll"
  echo "EXPORTS"
  printf '%s\n' "$names"
} >"$def"
"$dlltool" --input-def "$def" --output-delaylib "$output" --dllname "$dll" --kill-at
