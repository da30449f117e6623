# The plug-in for the Microsoft C++ ABI, built with clang and lld-link
# without a C++ runtime library (toolchains msvc-clang-*.cmake). Sets
# VANTREL_PLUGIN_HOST (what the plug-in imports the host operations from)
# and the target vantrel_plugin_runtime (the C runtime the plug-in links).
find_program(VANTREL_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VANTREL_DLLTOOL_MACHINE i386:x86-64)
else()
  set(VANTREL_DLLTOOL_MACHINE i386)
endif()

# The plug-in carries no manifest: it needs no side-by-side assembly.
foreach(rule CMAKE_CXX_CREATE_SHARED_MODULE CMAKE_CXX_CREATE_SHARED_LIBRARY
    CMAKE_CXX_LINK_EXECUTABLE)
  string(REPLACE "/MANIFEST:EMBED" "/MANIFEST:NO" ${rule} "${${rule}}")
endforeach()

set(VANTREL_MSVC_COMPILE_OPTIONS ${VANTREL_MSVC_COMPILE_OPTIONS}
  -include${PROJECT_SOURCE_DIR}/src/module/runtime_ucrt_prelude.h)
add_compile_options(${VANTREL_MSVC_COMPILE_OPTIONS})

# An interface target `name` that links the import library made from the
# module definition file `def_file` at build time.
function(vantrel_add_import_library name def_file)
  set(library ${CMAKE_BINARY_DIR}/lib/${name}.lib)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/lib
    COMMAND ${VANTREL_LLVM_DLLTOOL} -m ${VANTREL_DLLTOOL_MACHINE}
      -d ${def_file} -l ${library}
    DEPENDS ${def_file}
    COMMENT "Making the import library ${name}.lib")
  add_custom_target(${name}_import_library DEPENDS ${library})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${library})
  add_dependencies(${name} ${name}_import_library)
endfunction()

# The Universal C runtime through its api-ms-win-crt-* sets, and KERNEL32.
vantrel_add_import_library(vantrel_ucrt_math
  ${PROJECT_SOURCE_DIR}/cmake/ucrt-math.def)
add_library(vantrel_plugin_runtime INTERFACE)
target_link_libraries(vantrel_plugin_runtime INTERFACE vantrel_ucrt_math
  ${VANTREL_MINGW_ROOT}/lib/libucrt.a ${VANTREL_MINGW_ROOT}/lib/libkernel32.a)

# The 32-bit plug-in imports from the simulator, orbiter.exe, through an
# import library made from the names the module uses; the 64-bit one from
# the Microsoft-ABI host program (src/msabi_host) itself. Both run under
# Wine in that program, which is named orbiter.exe too.
include(cmake/wine_emulator.cmake)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VANTREL_PLUGIN_HOST orbiter)
else()
  vantrel_add_import_library(vantrel_orbiter_imports
    ${PROJECT_SOURCE_DIR}/src/host/orbiter-i686.def)
  set(VANTREL_PLUGIN_HOST vantrel_orbiter_imports)
endif()
