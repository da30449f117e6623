# The Windows packages, one per host width, each an add-on that a player
# unpacks into the simulator's folder (an x86 and an x64 installation are
# separate folders, and neither host loads a plug-in of the other width):
#
#   Vantrel-<version>-x86.zip  the 2016 release and the current edition's
#                              x86 build (MinGW preset mingw, plug-in from
#                              msvc-clang-x86)
#   Vantrel-<version>-x64.zip  the current edition's x64 build (mingw64,
#                              plug-in from msvc-clang-x64)
#
# Both have the same layout and documents. They add files of their own and
# overwrite nothing of the simulator's:
#
#   Modules/Plugin/Vantrel.dll       the plug-in the simulator loads
#                                    (Microsoft C++ ABI)
#   Config/Vantrel/README.txt        where definitions go
#   Config/Vantrel/Examples/*.cfg.example
#                                    example definitions; the plug-in only
#                                    opens <key>.cfg, so it never reads them
#   Doc/Vantrel/                     the guides, as HTML pages, with
#                                    the pictures they show
#   Tools/Vantrel/                   the stand-in host and tools, a host
#                                    folder of their own:
#     vantrel.exe                    run, check, show (for that Windows)
#     Check definitions.bat          vantrel check on Config/Vantrel, for
#                                    a double-click
#     Modules/Plugin/Vantrel.dll     the plug-in bound to vantrel.exe
#     examples/                      the demo host folder of vantrel run
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VANTREL_PACKAGE_PLATFORM x64)
else()
  set(VANTREL_PACKAGE_PLATFORM x86)
endif()
set(VANTREL_SIMULATOR_PLUGIN
  ${PROJECT_SOURCE_DIR}/build/msvc-clang-${VANTREL_PACKAGE_PLATFORM}/Modules/Plugin/Vantrel.dll
  CACHE FILEPATH "The plug-in the simulator loads, put into the package \
(built by the msvc-clang-x86 or msvc-clang-x64 preset)")
install(FILES ${VANTREL_SIMULATOR_PLUGIN} DESTINATION Modules/Plugin)

# Every text file goes into the package with CR LF line ends, as Notepad
# and the simulator's own files have them; the guides go as HTML pages,
# made from their Markdown by pandoc.
set(VANTREL_PACKAGE_TEXT ${CMAKE_BINARY_DIR}/package-text)
set(VANTREL_PACKAGE_FILES)
# Adds the text file `source` to the package as `destination`/`name`.
function(vantrel_package_text source destination name)
  set(output "${VANTREL_PACKAGE_TEXT}/${destination}/${name}")
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} "-DSOURCE=${source}" "-DTARGET=${output}"
      -P ${PROJECT_SOURCE_DIR}/cmake/crlf_text.cmake
    DEPENDS "${source}" ${PROJECT_SOURCE_DIR}/cmake/crlf_text.cmake
    VERBATIM)
  install(FILES "${output}" DESTINATION "${destination}")
  set(VANTREL_PACKAGE_FILES ${VANTREL_PACKAGE_FILES} "${output}"
    PARENT_SCOPE)
endfunction()

vantrel_package_text(${PROJECT_SOURCE_DIR}/packaging/Config-Vantrel-README.txt
  Config/Vantrel README.txt)
file(GLOB VANTREL_EXAMPLE_DEFINITIONS CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/examples/Config/Vantrel/*.cfg)
foreach(definition IN LISTS VANTREL_EXAMPLE_DEFINITIONS)
  get_filename_component(name ${definition} NAME)
  vantrel_package_text(${definition} Config/Vantrel/Examples ${name}.example)
endforeach()

find_program(VANTREL_PANDOC pandoc REQUIRED)
set(VANTREL_GUIDE_IMAGES)
foreach(guide user-guide definitions windows-runtime)
  # Every picture the guide shows, "![...](name.png)", goes beside its page.
  set(markdown ${PROJECT_SOURCE_DIR}/docs/${guide}.md)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${markdown})
  file(READ ${markdown} text)
  string(REGEX MATCHALL "!\\[[^]]*\\]\\([^) ]+" images "${text}")
  foreach(image IN LISTS images)
    string(REGEX REPLACE "^.*\\(" "" image "${image}")
    list(APPEND VANTREL_GUIDE_IMAGES ${PROJECT_SOURCE_DIR}/docs/${image})
  endforeach()
  set(html "${VANTREL_PACKAGE_TEXT}/pandoc/${guide}.html")
  add_custom_command(OUTPUT "${html}"
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_PACKAGE_TEXT}/pandoc
    COMMAND ${VANTREL_PANDOC} --standalone --metadata pagetitle=Vantrel
      --lua-filter ${PROJECT_SOURCE_DIR}/cmake/markdown_links.lua
      -o "${html}" ${PROJECT_SOURCE_DIR}/docs/${guide}.md
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/${guide}.md
      ${PROJECT_SOURCE_DIR}/cmake/markdown_links.lua
    VERBATIM)
  vantrel_package_text("${html}" Doc/Vantrel ${guide}.html)
endforeach()
list(REMOVE_DUPLICATES VANTREL_GUIDE_IMAGES)
install(FILES ${VANTREL_GUIDE_IMAGES} DESTINATION Doc/Vantrel)

set(VANTREL_TOOLS_DESTINATION Tools/Vantrel)
install(PROGRAMS $<TARGET_FILE:vantrel> DESTINATION ${VANTREL_TOOLS_DESTINATION})
install(FILES $<TARGET_FILE:Vantrel>
  DESTINATION ${VANTREL_TOOLS_DESTINATION}/Modules/Plugin)
vantrel_package_text("${PROJECT_SOURCE_DIR}/packaging/Check definitions.bat"
  ${VANTREL_TOOLS_DESTINATION} "Check definitions.bat")
file(GLOB_RECURSE VANTREL_EXAMPLE_FILES CONFIGURE_DEPENDS
  RELATIVE ${PROJECT_SOURCE_DIR}/examples ${PROJECT_SOURCE_DIR}/examples/*)
foreach(file IN LISTS VANTREL_EXAMPLE_FILES)
  get_filename_component(folder ${file} DIRECTORY)
  get_filename_component(name ${file} NAME)
  vantrel_package_text(${PROJECT_SOURCE_DIR}/examples/${file}
    ${VANTREL_TOOLS_DESTINATION}/examples/${folder} ${name})
endforeach()
add_custom_target(vantrel_package_text ALL DEPENDS ${VANTREL_PACKAGE_FILES})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vantrel)
set(CPACK_PACKAGE_VENDOR Vantrel)
set(CPACK_PACKAGE_FILE_NAME
  Vantrel-${PROJECT_VERSION}-${VANTREL_PACKAGE_PLATFORM})
# Unpacked into the simulator's folder, the zip's folders join the
# simulator's own.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
