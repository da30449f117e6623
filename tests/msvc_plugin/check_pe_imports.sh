#!/bin/sh
# Checks what the plug-in imports: from the host program (orbiter.exe, or
# Orbiter.exe for the current edition: Windows compares module names without
# regard to case) only what the host exports; everything else from KERNEL32.dll or the Universal C runtime's
# sets (api-ms-win-crt-*), which every Windows machine with the simulator
# has, and exactly the functions RUNTIME_LIST names. A MinGW, GCC or C++
# runtime DLL would fail, and so would a C library function the plug-in
# must not use, such as sscanf (__stdio_common_vsscanf): it reads numbers
# with its own reader, alike in every build.
#
#   check_pe_imports.sh LLVM_READOBJ LLVM_UNDNAME DLL EXPORT_LIST RUNTIME_LIST
#
# RUNTIME_LIST holds "library function" lines, sorted in the C locale.
# Exit codes: 0 all imports are allowed; 1 one is not.
set -eu
readobj=$1 undname=$2 dll=$3 export_list=$4 runtime_list=$5
. "$(dirname "$0")/../host_abi/abi_lines.sh"

exports=$(host_export_lines "$export_list")
imports=$("$readobj" --coff-imports "$dll" | awk '
  $1 == "Name:" { library = $2 }
  $1 == "Symbol:" { print library, $2 }')
status=0 count=0
while read -r library symbol; do
  count=$((count + 1))
  case "$(printf '%s' "$library" | tr 'A-Z' 'a-z')" in
    orbiter.exe)
      demangled=$(printf '%s\n' "$symbol" | demangled_lines "$undname")
      if ! printf '%s\n' "$exports" | grep -qxF -- "$demangled"; then
        echo "$dll: error: imports $symbol" \
          "($("$undname" "$symbol" | sed -n 2p)) from orbiter.exe, which" \
          "the host does not export (see $export_list)"
        status=1
      fi ;;
    kernel32.dll | api-ms-win-crt-*-l1-1-0.dll) ;;
    *)
      echo "$dll: error: imports $symbol from $library, which is neither" \
        "the host, KERNEL32.dll nor a set of the Universal C runtime"
      status=1 ;;
  esac
done <<END
$imports
END
if [ "$count" -eq 0 ] || [ -z "$imports" ]; then
  echo "$dll: error: no imports found"
  exit 1
fi
runtime=$(printf '%s\n' "$imports" | grep -v '^orbiter\.exe ' | LC_ALL=C sort)
if [ "$runtime" != "$(cat "$runtime_list")" ]; then
  echo "$dll: error: the imports from Windows and its C runtime differ from" \
    "$runtime_list"
  printf '%s\n' "$runtime" | diff "$runtime_list" - | sed -n 's/^[<>]/&/p' |
    sed 's/^</  missing:/; s/^>/  new:/'
  status=1
fi
[ "$status" -eq 0 ] && echo "$dll: $count imports, all allowed:" &&
  printf '%s\n' "$imports" | awk '{ print $1 }' | sort | uniq -c
exit "$status"
