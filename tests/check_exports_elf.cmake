cmake_minimum_required(VERSION 3.25)
# Checks that a shared library defines exactly the dynamic symbols listed in
# a file, one name a line, sorted.
# Usage: cmake -DPLUGIN=lib.so -DEXPECTED=names.txt -P check_exports_elf.cmake
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only "${PLUGIN}"
  OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${PLUGIN}")
endif()
string(REGEX MATCHALL "[^\n]+" rows "${listing}")
set(names "")
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^.* " "" name "${row}")
  list(APPEND names "${name}")
endforeach()
list(SORT names)
file(STRINGS "${EXPECTED}" expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${PLUGIN} exports: ${names}\nexpected: ${expected}")
endif()
