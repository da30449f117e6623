cmake_minimum_required(VERSION 3.25)
# Runs `vantrel drop --json` on the Eagle-2 of the bundled example and
# compares its output, byte for byte but for CRs, with the result stored from
# the Linux build: every build (Linux 64 and 32 bit, Windows 32 and 64 bit)
# must compute the drop test to the same printed numbers.
# Usage: cmake -DVANTREL=exe -DSOURCE=project -DEXPECTED=file
#          [-DEMULATOR=wine] -P compare_drop_json.cmake
# The file is named relative to the project: on Windows an argument that
# starts with '/' would read as an option.
get_filename_component(VANTREL "${VANTREL}" ABSOLUTE)
execute_process(
  COMMAND ${EMULATOR} "${VANTREL}" drop examples/Config/Vantrel/Eagle-2.cfg
    --class Lander --mass 15000 --gravity 9.81 --json
  WORKING_DIRECTORY "${SOURCE}"
  RESULT_VARIABLE code OUTPUT_VARIABLE actual ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "vantrel drop ended with ${code}:\n${err}")
endif()
string(REPLACE "\r" "" actual "${actual}")
file(READ "${EXPECTED}" expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "${VANTREL}: the drop test differs from the Linux "
    "build's (${EXPECTED}):\n${actual}")
endif()
message(STATUS "${VANTREL}: the same drop test as the Linux build")
