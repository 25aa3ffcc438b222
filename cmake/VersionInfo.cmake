# The VERSIONINFO resource every program and DLL carries: file and product
# version from project(VERSION ...), the product name, a description of the
# file and the copyright line. The About box shows the same version (the
# compile definition ORLIMO_VERSION_SHORT).
#
#   orlimo_version_info(<target> "<file description>")
#
# The resource script is written into the build tree for the target: the
# version numbers by configure_file, the file's name by file(GENERATE), so a
# target's OUTPUT_NAME and PREFIX set after the call still count.
set(ORLIMO_VERSION_INFO_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/VersionInfo.rc.in)

function(orlimo_version_info tgt description)
  get_target_property(type ${tgt} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(ORLIMO_VI_TYPE VFT_APP)
  elseif(type STREQUAL "SHARED_LIBRARY")
    set(ORLIMO_VI_TYPE VFT_DLL)
  else()
    message(FATAL_ERROR "orlimo_version_info: ${tgt} is neither a program nor a DLL")
  endif()
  set(numbers)
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      list(APPEND numbers 0)
    else()
      list(APPEND numbers ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  string(REPLACE ";" "," ORLIMO_VI_NUMBERS "${numbers}")
  set(ORLIMO_VI_VERSION ${PROJECT_VERSION})
  set(ORLIMO_VI_DESCRIPTION "${description}")
  set(ORLIMO_VI_FILE "$<TARGET_FILE_NAME:${tgt}>")
  set(ORLIMO_VI_INTERNAL "$<TARGET_FILE_BASE_NAME:${tgt}>")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/versioninfo)
  configure_file(${ORLIMO_VERSION_INFO_TEMPLATE} ${dir}/${tgt}.rc.in @ONLY)
  file(GENERATE OUTPUT ${dir}/${tgt}.rc INPUT ${dir}/${tgt}.rc.in)
  set_source_files_properties(${dir}/${tgt}.rc PROPERTIES GENERATED TRUE)
  target_sources(${tgt} PRIVATE ${dir}/${tgt}.rc)
endfunction()
