# Shell functions shared by the checks of the host's binary interface; read
# with ". abi_lines.sh". Both give one symbol a line, white space removed,
# sorted, so that the two lists compare line by line.

# host_export_lines EXPORT_LIST: the symbols of the host's export list.
host_export_lines() {
  grep -v '^#' "$1" | grep -v '^[[:space:]]*$' | tr -d ' \t\r' | sort
}

# demangled_lines LLVM_UNDNAME: the decorated names read from standard
# input, demangled.
demangled_lines() {
  while read -r symbol; do
    "$1" "$symbol" | sed -n 2p
  done | tr -d ' \t' | sort
}
