# Bitmaps are kept as reviewable text pixel art (see pixelart2bmp.py for the
# format) and turned into 24-bit .bmp files at build time.
#
#   include(${PROJECT_SOURCE_DIR}/tools/pixelart/PixelArt.cmake)
#   orlimo_pixelart(<out_var> <file.art>...)
#
# Each <name>.art (relative to the current source dir, or absolute) becomes
# ${CMAKE_CURRENT_BINARY_DIR}/pixelart/<name>.bmp. <out_var> receives the list of
# generated .bmp paths, and <out_var>_DIR their folder; add the folder to a
# resource target's include directories (windres looks for files named in an
# .rc script there) and list the files as the .rc's OBJECT_DEPENDS or as
# sources of a target so they are built first.
include_guard(GLOBAL)

find_program(ORLIMO_PYTHON3 NAMES python3 python REQUIRED)
set(ORLIMO_PIXELART_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/pixelart2bmp.py CACHE INTERNAL "")

function(orlimo_pixelart out_var)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/pixelart)
  file(MAKE_DIRECTORY ${out_dir})
  set(outputs)
  foreach(art IN LISTS ARGN)
    get_filename_component(art_abs ${art} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(stem ${art} NAME_WE)
    set(bmp ${out_dir}/${stem}.bmp)
    add_custom_command(
      OUTPUT ${bmp}
      COMMAND ${ORLIMO_PYTHON3} ${ORLIMO_PIXELART_SCRIPT} ${art_abs} ${bmp}
      DEPENDS ${art_abs} ${ORLIMO_PIXELART_SCRIPT}
      COMMENT "Pixel art ${stem}.bmp"
      VERBATIM)
    list(APPEND outputs ${bmp})
  endforeach()
  set(${out_var} ${outputs} PARENT_SCOPE)
  set(${out_var}_DIR ${out_dir} PARENT_SCOPE)
endfunction()
