# What a MinGW cross build takes from the build machine: CLI11 (header only)
# and GoogleTest, built from Debian's sources with the cross compiler, since
# Debian packages neither for MinGW. Included before the project's own
# warning options, which are not meant for third-party code.

# CLI11: only its headers are copied into the build folder, so that the
# build machine's /usr/include never reaches the cross compiler.
find_path(VANTREL_CLI11_INCLUDE_DIR CLI/CLI.hpp NO_CMAKE_FIND_ROOT_PATH
  PATHS /usr/include REQUIRED)
file(COPY ${VANTREL_CLI11_INCLUDE_DIR}/CLI
  DESTINATION ${CMAKE_BINARY_DIR}/third_party/include)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE
  ${CMAKE_BINARY_DIR}/third_party/include)

if(VANTREL_BUILD_TESTS)
  find_path(VANTREL_GOOGLETEST_SOURCE_DIR CMakeLists.txt
    NO_CMAKE_FIND_ROOT_PATH PATHS /usr/src/googletest NO_DEFAULT_PATH
    REQUIRED)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # GoogleTest defines the GTest:: targets itself.
  add_subdirectory(${VANTREL_GOOGLETEST_SOURCE_DIR}
    ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
