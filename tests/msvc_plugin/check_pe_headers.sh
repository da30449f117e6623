#!/bin/sh
# Checks the headers of the plug-in as the simulator's loader reads them: a
# DLL for the host's machine (PE32 for i386, PE32+ for AMD64: a host cannot
# load a plug-in of the other width) whose entry point is DllMain, relocatable
# (DYNAMIC_BASE) and with data not executable (NX_COMPAT). With DllMain as
# the entry no C runtime start-up runs, so no object of the module may need
# a constructor: the linker gathers those in a .CRT section.
#
#   check_pe_headers.sh LLVM_READOBJ i386|amd64 DLL LINK_MAP
#
# Exit codes: 0 all hold; 1 one does not.
set -eu
readobj=$1 machine=$2 dll=$3 map=$4

headers=$("$readobj" --file-headers "$dll")
status=0
fail() {
  echo "$dll: error: $1"
  status=1
}
has() { printf '%s\n' "$headers" | grep -q -- "$1"; }

# The entry's symbol in the link map: stdcall decorates it on i386 only.
case "$machine" in
  i386)
    has '^ *Magic: 0x10B$' || fail "not a PE32 image (32-bit optional header)"
    has '^ *Machine: IMAGE_FILE_MACHINE_I386 ' || fail "machine is not i386"
    entry_symbol=_DllMain@12 format="PE32 i386" ;;
  amd64)
    has '^ *Magic: 0x20B$' || fail "not a PE32+ image (64-bit optional header)"
    has '^ *Machine: IMAGE_FILE_MACHINE_AMD64 ' || fail "machine is not AMD64"
    entry_symbol=DllMain format="PE32+ AMD64" ;;
  *)
    echo "usage: check_pe_headers.sh LLVM_READOBJ i386|amd64 DLL LINK_MAP"
    exit 1 ;;
esac
has '^ *IMAGE_FILE_DLL ' || fail "not a DLL"
has '^ *IMAGE_DLL_CHARACTERISTICS_DYNAMIC_BASE ' ||
  fail "DYNAMIC_BASE is not set: the loader cannot relocate it"
has '^ *IMAGE_DLL_CHARACTERISTICS_NX_COMPAT ' ||
  fail "NX_COMPAT is not set"

# The entry point is the address the link map gives DllMain.
entry=$(printf '%s\n' "$headers" | sed -n 's/^ *AddressOfEntryPoint: 0x//p')
base=$(printf '%s\n' "$headers" | sed -n 's/^ *ImageBase: 0x//p')
dllmain=$(awk -v name="$entry_symbol" '$2 == name { print $3; exit }' "$map")
if [ -z "$dllmain" ]; then
  fail "the link map $map has no $entry_symbol"
elif [ $((0x$entry)) -ne $((0x$dllmain - 0x$base)) ]; then
  fail "the entry point 0x$entry is not DllMain (0x$dllmain - 0x$base)"
fi
if "$readobj" --sections "$dll" | grep -q '^ *Name: \.CRT'; then
  fail "has a .CRT section: an object needs a constructor, which nothing runs"
fi
[ "$status" -eq 0 ] &&
  echo "$dll: $format DLL, entry DllMain, DYNAMIC_BASE, NX_COMPAT"
exit "$status"
