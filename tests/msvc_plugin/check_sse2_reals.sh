#!/bin/sh
# Checks that the plug-in computes with reals in SSE2 registers, as Visual
# Studio's code does by default, and not with the x87 unit, whose wider
# intermediates change the last bit of results (the completed damping, for
# one). Loading a real returned by the host from the x87 stack is allowed.
#
#   check_sse2_reals.sh LLVM_OBJDUMP DLL
#
# Exit codes: 0 no x87 arithmetic; 1 some.
set -eu
objdump=$1 dll=$2

x87=$("$objdump" -d --no-show-raw-insn "$dll" |
  awk '$2 ~ /^f(add|sub|mul|div|sqrt|prem|scale|chs|abs|rndint|i?add|i?mul)/' |
  sed 's/^ *//')
if [ -z "$x87" ]; then
  echo "$dll: reals in SSE2 registers, no x87 arithmetic"
  exit 0
fi
echo "$dll: error: x87 arithmetic, where Visual Studio's code uses SSE2:"
printf '%s\n' "$x87" | head -10 | sed 's/^/  /'
exit 1
