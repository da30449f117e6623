# The Windows package, Vantrel-<version>-win32.zip: a host folder, laid out
# as the simulator lays out its own, in which vantrel.exe runs the plug-in.
#
#   vantrel.exe                      the stand-in host and tools
#   Modules/Plugin/Vantrel.dll       the plug-in, bound to vantrel.exe
#   Config/Vantrel/README.txt        where definitions go
#   Config/Vantrel/Examples/*.cfg.example
#                                    example definitions; the plug-in only
#                                    opens <key>.cfg, so it never reads them
#   Doc/Vantrel/                     the user guide
#   examples/                        the demo host folder of vantrel run
install(PROGRAMS $<TARGET_FILE:vantrel> DESTINATION .)
install(FILES $<TARGET_FILE:Vantrel> DESTINATION Modules/Plugin)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/Config-Vantrel-README.txt
  DESTINATION Config/Vantrel RENAME README.txt)
file(GLOB VANTREL_EXAMPLE_DEFINITIONS CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/examples/Config/Vantrel/*.cfg)
foreach(definition IN LISTS VANTREL_EXAMPLE_DEFINITIONS)
  get_filename_component(name ${definition} NAME)
  install(FILES ${definition} DESTINATION Config/Vantrel/Examples
    RENAME ${name}.example)
endforeach()
install(FILES
  ${PROJECT_SOURCE_DIR}/docs/user-guide.md
  ${PROJECT_SOURCE_DIR}/docs/definitions.md
  ${PROJECT_SOURCE_DIR}/docs/show-eagle-2.png
  DESTINATION Doc/Vantrel)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VANTREL_PACKAGE_PLATFORM win64)
else()
  set(VANTREL_PACKAGE_PLATFORM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vantrel)
set(CPACK_PACKAGE_VENDOR Vantrel)
set(CPACK_PACKAGE_FILE_NAME
  Vantrel-${PROJECT_VERSION}-${VANTREL_PACKAGE_PLATFORM})
# Unpacked into a folder of its own, the zip is the host folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
