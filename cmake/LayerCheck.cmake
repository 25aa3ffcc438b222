# Refuses includes that reach the wrong way through the layers of src/:
#   model < platform < components, protocol < core < hosts
# A folder may include its own layer and the layers below it; components and
# protocol stand side by side and do not include each other, nor do the
# hosts. The IDE add-in's interface (hosts/rushintf) is the one header the
# plug-in and the IDE host program share: it stands on the platform only, and
# the IDE host program reaches nothing of the viewer. Every project include inside src/ names its folder ("platform/Forms.h"),
# and src/model includes no Windows header.
#
# The client sender, src/protocol/client, is copied into client programs on
# its own: its files include one another by bare name and nothing else of the
# project.
#
# Run at configure time by the top-level CMakeLists.txt and again by CTest
# (cmake -DORLIMO_SOURCE_DIR=<root> -P LayerCheck.cmake), so a header added
# between two configurations is caught as well.
cmake_policy(SET CMP0057 NEW)
if(NOT ORLIMO_SOURCE_DIR)
  set(ORLIMO_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
endif()

# Layer of each folder, and what each may reach.
set(layers model platform components protocol core hosts/standalone hosts/rushintf hosts/idehost hosts/plugin)
set(allowed_model model)
set(allowed_platform model platform)
set(allowed_components model platform components)
set(allowed_protocol model platform protocol)
set(allowed_core model platform components protocol core)
set(allowed_hosts/standalone model platform components protocol core hosts/standalone)
set(allowed_hosts/rushintf model platform hosts/rushintf)
set(allowed_hosts/idehost model platform hosts/rushintf hosts/idehost)
set(allowed_hosts/plugin model platform components protocol core hosts/rushintf hosts/plugin)

function(orlimo_layer_of path out)
  foreach(l IN LISTS layers)
    string(LENGTH "${l}/" n)
    string(SUBSTRING "${path}" 0 ${n} head)
    if(head STREQUAL "${l}/")
      set(${out} ${l} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${ORLIMO_SOURCE_DIR}/src
  ${ORLIMO_SOURCE_DIR}/src/*.h ${ORLIMO_SOURCE_DIR}/src/*.cpp)
# Project headers by file name, to catch one written in angle brackets.
set(header_names "")
foreach(f IN LISTS files)
  get_filename_component(n ${f} NAME)
  list(APPEND header_names ${n})
endforeach()

set(errors "")
foreach(f IN LISTS files)
  orlimo_layer_of("${f}" from)
  if(NOT from)
    continue()
  endif()
  file(STRINGS ${ORLIMO_SOURCE_DIR}/src/${f} lines REGEX "^[ \t]*#[ \t]*include")
  get_filename_component(dir "${f}" DIRECTORY)
  if(dir STREQUAL "protocol/client")
    foreach(line IN LISTS lines)
      if(NOT line MATCHES "\"([^\"]+)\"")
        continue()
      endif()
      set(target "${CMAKE_MATCH_1}")
      if(target MATCHES "/" OR target MATCHES "\\\\" OR NOT EXISTS ${ORLIMO_SOURCE_DIR}/src/${dir}/${target})
        string(APPEND errors "  src/${f}: the client sender includes only its own files: ${line}\n")
      endif()
    endforeach()
    continue()
  endif()
  foreach(line IN LISTS lines)
    if(from STREQUAL "model" AND line MATCHES "[<\"][Ww][Ii][Nn][^/>\"]*\\.[Hh][>\"]")
      string(APPEND errors "  src/${f}: Windows header in the model: ${line}\n")
    endif()
    if(line MATCHES "<([^>]+)>")
      set(target "${CMAKE_MATCH_1}")
      get_filename_component(n "${target}" NAME)
      orlimo_layer_of("${target}" to)
      if(to OR (n IN_LIST header_names AND NOT target MATCHES "/"))
        string(APPEND errors "  src/${f}: project header in angle brackets: ${line}\n")
      endif()
      continue()
    endif()
    if(NOT line MATCHES "\"([^\"]+)\"")
      continue()
    endif()
    set(target "${CMAKE_MATCH_1}")
    orlimo_layer_of("${target}" to)
    if(NOT to)
      string(APPEND errors "  src/${f}: include without its folder: ${target}\n")
    elseif(NOT to IN_LIST allowed_${from})
      string(APPEND errors "  src/${f}: ${from} must not include ${to}: ${target}\n")
    elseif(NOT EXISTS ${ORLIMO_SOURCE_DIR}/src/${target})
      string(APPEND errors "  src/${f}: no such header: ${target}\n")
    endif()
  endforeach()
endforeach()

if(errors)
  message(FATAL_ERROR "Includes that break the layer order:\n${errors}")
endif()
