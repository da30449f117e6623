#!/bin/sh
# Checks that the plug-in exports exactly the functions the host looks up,
# under their undecorated names.
#
#   check_pe_exports.sh LLVM_READOBJ DLL EXPECTED
#
# EXPECTED lists the names, one a line, sorted. Exit codes: 0 they agree;
# 1 they do not.
set -eu
readobj=$1 dll=$2 expected=$3

actual=$("$readobj" --coff-exports "$dll" | sed -n 's/^ *Name: //p' |
  grep -v '^$' | sort)
if [ "$actual" = "$(cat "$expected")" ]; then
  echo "$dll: exports" $actual
  exit 0
fi
echo "$dll: error: the exports differ from $expected"
echo "exported:" $actual
echo "expected:" $(cat "$expected")
exit 1
