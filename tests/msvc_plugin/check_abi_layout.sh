#!/bin/sh
# Checks the layout of what the module hands the host, as the plug-in's
# compiler lays it out: compiles the module object's source with the
# plug-in's options, has clang print its record layouts and virtual
# function tables, and compares the sizes of TOUCHDOWNVTX and oapi::Module
# and the slots of the module object's table with EXPECTED.
#
#   check_abi_layout.sh EXPECTED WORK_DIR COMPILER ARGUMENT...
#
# Exit codes: 0 they agree; 1 they do not, or the source does not compile.
set -eu
expected=$1 work=$2
shift 2
mkdir -p "$work"
"$@" -Xclang -fdump-record-layouts -Xclang -fdump-vtable-layouts \
  >"$work/layouts.txt"

# Sizes: a record's first line "0 | struct NAME", its size "[sizeof=N,".
# Slots: the table of oapi::Module in the module's class, one line
# "N | RETURN CLASS::NAME(PARAMETERS) [NOTE]" a slot, up to a blank line.
awk '
  /^ *0 \| (struct|class) [^ ]+$/ { record = $NF }
  /\[sizeof=/ && record != "" {
    size = $0; sub(/.*\[sizeof=/, "", size); sub(/,.*/, "", size)
    if (record == "TOUCHDOWNVTX" || record == "oapi::Module")
      if (!(record in seen)) { seen[record] = 1; print "sizeof", record, size }
    record = ""
  }
  /^VFTable for .oapi::Module. in / && !table { table = 1; next }
  table == 1 && /^ *$/ { table = 2 }
  table == 1 {
    slot = $1; text = $0; sub(/^[^|]*\| /, "", text)
    note = ""
    if (match(text, /\[[^]]*\]$/)) note = " " substr(text, RSTART)
    sub(/\(.*/, "", text); n = split(text, words, " "); name = words[n]
    sub(/.*::/, "", name)
    if (name ~ /^~/) name = "destructor"
    print "slot", slot, name note
  }' "$work/layouts.txt" >"$work/dumped.txt"
# Sizes in any order, slots in table order.
in_order() { grep '^sizeof' "$1" | sort; grep '^slot' "$1" || true; }
in_order "$work/dumped.txt" >"$work/actual.txt"
in_order "$expected" >"$work/expected.txt"

if cmp -s "$work/expected.txt" "$work/actual.txt"; then
  echo "layout as the host expects: $(grep -c '^sizeof' "$work/actual.txt")" \
    "sizes, $(grep -c '^slot' "$work/actual.txt") table slots"
  exit 0
fi
echo "$expected: error: the module's layout differs from the host's"
diff "$work/expected.txt" "$work/actual.txt" | sed -n 's/^[<>]/  &/p'
echo "(< the host's, > the module's)"
exit 1
