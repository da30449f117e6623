cmake_minimum_required(VERSION 3.25)
# Names in the system's code page (Windows 1252), as the simulator takes
# them: a scenario saved in that code page names a class and a vessel with
# letters beyond ASCII, which find their definition whether they are looked
# up before or after the folder's listing is kept, in any case; the same
# class given on the command line finds it too, and so does a host folder
# named in the code page; and a name the code page cannot hold is refused
# with a message.
# Usage: cmake -DVANTREL=exe -DDATA=host-folder -DEXPECTED_LOG=file
#          -DWORK=dir [-DEMULATOR=wine] -P code_page_names.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# The bytes of `file` as hex digits.
function(hex_of_file file result)
  file(READ "${file}" bytes HEX)
  set(${result} "${bytes}" PARENT_SCOPE)
endfunction()

# The scenario's own names, in code page 1252 in the file: the listing of
# Config/Vantrel is kept after Probe-1's lookup, and Lander-7's class and
# the vessel "STÅLE-1" are looked up in it.
execute_process(COMMAND ${EMULATOR} "${VANTREL}" run --root "${DATA}"
    --log "${WORK}/code-page.log" Nordic
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "vantrel run ended with ${code}:\n${out}\n${err}")
endif()
hex_of_file("${WORK}/code-page.log" actual)
hex_of_file("${EXPECTED_LOG}" expected)
if(NOT actual STREQUAL expected)
  file(READ "${WORK}/code-page.log" text)
  message(FATAL_ERROR "the log differs from ${EXPECTED_LOG}:\n${text}")
endif()

# The class on the command line, converted from the wide command line to
# the code page: "å" is the byte e5 there, as in the scenario.
execute_process(COMMAND ${EMULATOR} "${VANTREL}" show --root "${DATA}"
    --name Probe-1 --class "Ståle-1"
  RESULT_VARIABLE code OUTPUT_FILE "${WORK}/show.txt" ERROR_VARIABLE err)
hex_of_file("${WORK}/show.txt" shown)
# "found for class St" e5 "le-1"
set(found "666f756e6420666f7220636c617373205374e56c652d31")
string(FIND "${shown}" "${found}" at)
if(NOT code EQUAL 0 OR at EQUAL -1)
  file(READ "${WORK}/show.txt" text)
  message(FATAL_ERROR
    "vantrel show --class Ståle-1 (${code}) did not find the class:\n"
    "${text}\n${err}")
endif()

# An omega has no place in code page 1252: refused, not taken for an 'O'.
execute_process(COMMAND ${EMULATOR} "${VANTREL}" show --root "${DATA}"
    --name Probe-1 --class "Ωmega-1"
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 3 OR NOT err MATCHES "code page \\(1252\\) cannot hold")
  message(FATAL_ERROR
    "vantrel show --class Ωmega-1 ended with ${code}:\n${out}\n${err}")
endif()
# A host folder named in the code page, as every command takes --root: the
# survey finds the scenario's class and its definition there.
set(nordic "${WORK}/Fjäll")
file(COPY "${DATA}/" DESTINATION "${nordic}")
execute_process(COMMAND ${EMULATOR} "${VANTREL}" survey --root "${nordic}"
  RESULT_VARIABLE code OUTPUT_FILE "${WORK}/survey.txt" ERROR_VARIABLE err)
hex_of_file("${WORK}/survey.txt" surveyed)
# "Config\Vantrel\St" e5 "le-1.cfg"
set(definition "436f6e6669675c56616e7472656c5c5374e56c652d312e636667")
string(FIND "${surveyed}" "${definition}" at)
if(NOT code EQUAL 0 OR at EQUAL -1)
  file(READ "${WORK}/survey.txt" text)
  message(FATAL_ERROR
    "vantrel survey --root ${nordic} (${code}) did not find the class:\n"
    "${text}\n${err}")
endif()
message(STATUS "names in code page 1252 are found and refused as expected")
