#!/bin/sh
# Checks our host declarations against the real host's binary interface:
# compiles the probe for 32-bit Windows with the Microsoft C++ ABI, using no
# headers but our own, and compares the host symbols it imports, demangled,
# with the host's export list (white space ignored).
#
#   check_host_abi.sh CLANGXX LLVM_NM LLVM_UNDNAME PROBE HOST_INCLUDE_DIR
#                     EXPORT_LIST WORK_DIR
#
# Exit codes: 0 the symbols agree; 1 they do not, or the probe does not
# compile; 77 a tool is missing (the check is skipped).
set -eu
clangxx=$1 nm=$2 undname=$3 probe=$4 include_dir=$5 export_list=$6 work=$7

for tool in "$clangxx" "$nm" "$undname"; do
  case "$tool" in
    "" | *-NOTFOUND)
      echo "host ABI check skipped: clang++, llvm-nm and llvm-undname are" \
        "needed (scripts/install-deps all installs them)"
      exit 77 ;;
  esac
done

. "$(dirname "$0")/abi_lines.sh"
mkdir -p "$work"
object=$work/host_abi_probe.obj
"$clangxx" --target=i686-pc-windows-msvc -std=c++17 -O2 -fno-rtti \
  -fno-exceptions -nostdinc -Wall -Wextra -Werror \
  -I "$include_dir" -c "$probe" -o "$object"

# Imported functions appear as __imp_<name>, the base class's virtual
# functions (referenced from the probe's table) under their own names.
# Symbols that are not mangled C++ names (the C runtime's) and the
# operators new and delete belong to the C++ runtime, not to the host.
"$nm" --undefined-only --format=just-symbols "$object" |
  sed 's/^__imp_//' | grep '^?' | grep -v '^??[23]@' | sort -u |
  demangled_lines "$undname" >"$work/imported.txt"

# The host's base class table is data that the host's own constructor
# writes; declarations alone never make a module refer to it.
host_export_lines "$export_list" | grep -v "\`vftable'" >"$work/expected.txt"

if cmp -s "$work/expected.txt" "$work/imported.txt"; then
  echo "host ABI check: $(wc -l <"$work/imported.txt") symbols agree"
  exit 0
fi
echo "host ABI check failed: our declarations do not give the host's symbols."
echo "Listed by the host but not produced by our declarations:"
comm -23 "$work/expected.txt" "$work/imported.txt" | sed 's/^/  /'
echo "Produced by our declarations but not exported by the host:"
comm -13 "$work/expected.txt" "$work/imported.txt" | sed 's/^/  /'
exit 1
