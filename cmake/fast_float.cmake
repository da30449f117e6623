# fast_float (Debian's libfast-float-dev, header only): the decimal
# conversion of the module's number reader. Its headers are copied into the
# build folder, so that every build finds them on an include path of their
# own, the cross builds too: those must never see the build machine's
# /usr/include. Sets VANTREL_FAST_FLOAT_INCLUDE_DIR.
find_path(VANTREL_FAST_FLOAT_SOURCE_DIR fast_float/fast_float.h
  NO_CMAKE_FIND_ROOT_PATH PATHS /usr/include REQUIRED
  DOC "Folder holding fast_float/fast_float.h")
set(VANTREL_FAST_FLOAT_INCLUDE_DIR ${CMAKE_BINARY_DIR}/third_party/fast_float)
file(COPY ${VANTREL_FAST_FLOAT_SOURCE_DIR}/fast_float
  DESTINATION ${VANTREL_FAST_FLOAT_INCLUDE_DIR})
