# Makes the drive S: of the Wine prefix PREFIX stand for the folder FOLDER,
# as subst or a network drive does on Windows, and makes FOLDER/linked a
# folder link to FOLDER/host/Config, which the tests fill. A program under
# Wine can make neither: Wine keeps its drives as links in
# PREFIX/dosdevices and has no links of Windows.
if(NOT EXISTS "${PREFIX}/dosdevices/c:")
  message(FATAL_ERROR "${PREFIX}: no Wine prefix yet; CTest makes it when "
    "it lists the tests")
endif()
file(MAKE_DIRECTORY "${FOLDER}")
file(REMOVE "${PREFIX}/dosdevices/s:" "${FOLDER}/linked")
file(CREATE_LINK "${FOLDER}" "${PREFIX}/dosdevices/s:" SYMBOLIC)
file(CREATE_LINK "host/Config" "${FOLDER}/linked" SYMBOLIC)
