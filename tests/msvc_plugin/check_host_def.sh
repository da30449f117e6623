#!/bin/sh
# Checks the module definition file of the host's import library: every
# decorated name it lists, demangled, is a line of the host's export list.
#
#   check_host_def.sh LLVM_UNDNAME DEF_FILE EXPORT_LIST
#
# Exit codes: 0 the host exports every name; 1 it does not.
set -eu
undname=$1 def=$2 export_list=$3
. "$(dirname "$0")/../host_abi/abi_lines.sh"

exports=$(host_export_lines "$export_list")
status=0 line=0 names=0 listing=0
while IFS= read -r text || [ -n "$text" ]; do
  line=$((line + 1))
  name=$(printf '%s\n' "$text" | sed 's/;.*//' | tr -d ' \t\r')
  [ -n "$name" ] || continue
  if [ "$name" = EXPORTS ]; then
    listing=1
    continue
  fi
  [ "$listing" -eq 1 ] || continue
  names=$((names + 1))
  demangled=$(printf '%s\n' "$name" | demangled_lines "$undname")
  if ! printf '%s\n' "$exports" | grep -qxF -- "$demangled"; then
    echo "$def:$line: error: $name ($("$undname" "$name" | sed -n 2p))" \
      "is not an export of the host (see $export_list)"
    status=1
  fi
done <"$def"
if [ "$names" -eq 0 ]; then
  echo "$def: error: no names after EXPORTS"
  exit 1
fi
[ "$status" -eq 0 ] && echo "$def: $names names, all exported by the host"
exit "$status"
