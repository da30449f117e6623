cmake_minimum_required(VERSION 3.25)
# Runs every example command of the guides and of the package's README.txt
# as a user runs it: in Tools/Vantrel of an installation laid out as the
# package lays it out, with C:\Orbiter2016 standing for that installation.
# Each must end with exit code 0 or 1 (findings), never with an error.
# Usage: cmake -DVANTREL=exe -DPLUGIN=library -DSOURCE=project -DWORK=dir
#          [-DEMULATOR=wine] [-DWINDOWS=ON] -P run_doc_examples.cmake
file(REMOVE_RECURSE "${WORK}")
set(tools "${WORK}/Tools/Vantrel")
file(MAKE_DIRECTORY "${tools}/Modules/Plugin")
file(COPY "${VANTREL}" DESTINATION "${tools}")
file(COPY "${PLUGIN}" DESTINATION "${tools}/Modules/Plugin")
file(COPY "${SOURCE}/examples" DESTINATION "${tools}")
file(COPY "${SOURCE}/examples/Config" "${SOURCE}/tests/data/simulator/Scenarios"
  DESTINATION "${WORK}")
get_filename_component(program "${VANTREL}" NAME)

set(sources "${SOURCE}/packaging/Config-Vantrel-README.txt"
  "${SOURCE}/docs/user-guide.md" "${SOURCE}/docs/definitions.md"
  "${SOURCE}/docs/windows-runtime.md")
set(count 0)
foreach(source IN LISTS sources)
  # One list entry per line; a '\' or ';' must not join or split them.
  file(READ "${source}" text)
  string(REPLACE "\\" "<backslash>" text "${text}")
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "\r" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  foreach(line IN LISTS lines)
    string(REPLACE "<backslash>" "\\" line "${line}")
    string(REPLACE "<semicolon>" ";" line "${line}")
    # A command line: "vantrel ..." or "vantrel.exe ...", perhaps after a
    # prompt "$ ", never a synopsis with [options].
    if(NOT line MATCHES "^ *(\\$ )?vantrel(\\.exe)?( |$)" OR
       line MATCHES "\\[")
      continue()
    endif()
    string(REGEX REPLACE "^ *(\\$ )?vantrel(\\.exe)?" "" arguments "${line}")
    # A description may follow the command after a wide gap.
    string(REGEX REPLACE "   +[^\"]*$" "" arguments "${arguments}")
    string(REPLACE "C:\\Orbiter2016" "${WORK}" arguments "${arguments}")
    if(WINDOWS)
      separate_arguments(arguments WINDOWS_COMMAND "${arguments}")
    else()
      string(REPLACE "\\" "/" arguments "${arguments}")
      separate_arguments(arguments UNIX_COMMAND "${arguments}")
    endif()
    execute_process(COMMAND ${EMULATOR} "${tools}/${program}" ${arguments}
      WORKING_DIRECTORY "${tools}" RESULT_VARIABLE code
      OUTPUT_VARIABLE out ERROR_VARIABLE err)
    math(EXPR count "${count} + 1")
    message(STATUS "${code}: ${line}")
    if(NOT code MATCHES "^[01]$")
      message(SEND_ERROR "${source}: '${line}' ended with ${code}:\n${err}")
    endif()
  endforeach()
endforeach()
if(count LESS 8)
  message(FATAL_ERROR "only ${count} examples found; the pattern missed some")
endif()
message(STATUS "${count} examples ran")
