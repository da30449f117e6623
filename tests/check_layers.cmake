# Fails when a layer links a layer above it. LINKS is the file that
# cmake/layer_links.cmake writes at configure time: one link a line,
#   <target> <layer> <linked target> <its layer> <its type>
cmake_minimum_required(VERSION 3.25)

# The layers, lowest first. A target may link targets of its own layer and
# of the layers before it. The plug-in (module) links only the host
# declarations and the rules, and the program that hosts it (an executable,
# whose import library a Windows plug-in needs). Targets defined outside
# src/ (the C runtime of the Microsoft-ABI plug-in, the host's import
# library) are no layer's.
set(layers host rules physics slope formats files vessel standin analysis report
  tools msabi_host)
set(module_may_link host rules module)

if(NOT EXISTS "${LINKS}")
  message(FATAL_ERROR "${LINKS}: no such file (configure the build first)")
endif()
file(STRINGS "${LINKS}" lines)
list(LENGTH lines count)
if(count EQUAL 0)
  message(FATAL_ERROR "${LINKS}: no links read")
endif()

set(problems "")
foreach(line IN LISTS lines)
  string(REPLACE " " ";" fields "${line}")
  list(GET fields 0 target)
  list(GET fields 1 layer)
  list(GET fields 2 linked)
  list(GET fields 3 linked_layer)
  list(GET fields 4 linked_type)
  if(linked_layer STREQUAL "-")
    continue()
  endif()
  if(layer STREQUAL "module")
    if(linked_type STREQUAL "EXECUTABLE")
      continue()
    endif()
    if(NOT linked_layer IN_LIST module_may_link)
      string(APPEND problems "src/${layer}: ${target} links ${linked} "
        "(src/${linked_layer}); the plug-in may link only src/host and "
        "src/rules\n")
    endif()
    continue()
  endif()
  list(FIND layers ${layer} rank)
  list(FIND layers ${linked_layer} linked_rank)
  if(rank EQUAL -1)
    string(APPEND problems "src/${layer}: ${target}: src/${layer} is not a "
      "layer; add it to the order in tests/check_layers.cmake\n")
  elseif(linked_rank EQUAL -1)
    string(APPEND problems "src/${layer}: ${target} links ${linked} of "
      "src/${linked_layer}, which is not a layer\n")
  elseif(linked_rank GREATER rank)
    string(APPEND problems "src/${layer}: ${target} links ${linked} "
      "(src/${linked_layer}), a layer above it\n")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "layers linked upwards:\n${problems}")
endif()
message(STATUS "${count} links, none upwards")

# Each layer's code lies in the namespace named after its folder, so that a
# qualified name says which layer it comes from: no file opens another
# layer's namespace (a library's, to declare one of its classes, is fine).
# The host declarations keep the host's own namespace; the plug-in and the
# Microsoft-ABI host are not layers of the tools and are not checked.
if(NOT DEFINED SOURCES)
  message(FATAL_ERROR "SOURCES: the src folder to check is not given")
endif()
set(named_layers ${layers})
list(REMOVE_ITEM named_layers host msabi_host)
set(checked 0)
foreach(layer IN LISTS named_layers)
  file(GLOB files "${SOURCES}/${layer}/*.h" "${SOURCES}/${layer}/*.cc")
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${file}" opened REGEX "^namespace [A-Za-z_0-9]+ {")
    foreach(line IN LISTS opened)
      string(REGEX REPLACE "^namespace ([A-Za-z_0-9]+) {.*" "\\1" name
        "${line}")
      if(NOT name STREQUAL layer AND name IN_LIST layers)
        string(APPEND problems "${file}: namespace ${name} in src/${layer}; "
          "the code of src/${layer} lies in namespace ${layer}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "${SOURCES}: no source files found")
endif()
if(problems)
  message(FATAL_ERROR "namespaces that do not match their folder:\n"
    "${problems}")
endif()
message(STATUS "${checked} files, each in its folder's namespace")
