# Runs the Windows programs of a cross build on this machine under Wine, in
# a Wine prefix of the build folder's own, quietly. CTest and
# gtest_discover_tests start every program through this emulator. 32-bit
# programs need wine32, 64-bit ones wine64.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(VANTREL_WINE NAMES wine64 PATHS /usr/lib/wine)
  set(VANTREL_WINEARCH win64)
else()
  find_program(VANTREL_WINE NAMES wine)
  set(VANTREL_WINEARCH win32)
endif()
if(VANTREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
    WINEARCH=${VANTREL_WINEARCH} WINEDEBUG=-all ${VANTREL_WINE})
else()
  message(WARNING "Wine not found: the Windows programs are built but "
    "cannot be run here (scripts/install-deps windows installs it)")
endif()
