# The application manifest a windowed program carries as its resource
# RT_MANIFEST 1: Common Controls version 6, per-monitor DPI awareness (v2,
# with the per-monitor and system-aware fallbacks of older systems), the
# supported systems from Windows 7 to 11 and long paths.
#
#   orlimo_app_manifest(<target> "<description>")
#
# The manifest and the resource script naming it are written into the build
# tree for the target.
set(ORLIMO_APP_MANIFEST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/AppManifest.manifest.in)
# Declaring DPI awareness tells the system not to stretch the windows: every
# window lays itself out for its DPI (design pixels scaled by one rule, fonts
# in points). Off, the system scales the windows as bitmaps (blurred).
option(ORLIMO_DPI_AWARE "Declare per-monitor DPI awareness in the programs' manifests" ON)
set(ORLIMO_AM_DPI_ELEMENTS [=[      <!-- Per-monitor v2 from Windows 10 1703, per-monitor before it (8.1),
           system-aware on Windows 7 ("true/pm" reads as "true" there). -->
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
]=])

function(orlimo_app_manifest tgt description)
  get_target_property(type ${tgt} TYPE)
  if(NOT type STREQUAL "EXECUTABLE")
    message(FATAL_ERROR "orlimo_app_manifest: ${tgt} is not a program")
  endif()
  set(numbers)
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      list(APPEND numbers 0)
    else()
      list(APPEND numbers ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  string(REPLACE ";" "." ORLIMO_AM_VERSION "${numbers}")
  set(ORLIMO_AM_NAME ${tgt})
  set(ORLIMO_AM_DESCRIPTION "${description}")
  if(ORLIMO_DPI_AWARE)
    set(ORLIMO_AM_DPI "${ORLIMO_AM_DPI_ELEMENTS}")
  else()
    set(ORLIMO_AM_DPI "")
  endif()
  set(ORLIMO_AM_FILE ${tgt})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/manifest)
  configure_file(${ORLIMO_APP_MANIFEST_TEMPLATE} ${dir}/${tgt}.manifest @ONLY)
  # 1 = CREATEPROCESS_MANIFEST_RESOURCE_ID, 24 = RT_MANIFEST
  file(WRITE ${dir}/${tgt}.manifest.rc.tmp "1 24 \"${dir}/${tgt}.manifest\"\n")
  configure_file(${dir}/${tgt}.manifest.rc.tmp ${dir}/${tgt}.manifest.rc COPYONLY)
  set_source_files_properties(${dir}/${tgt}.manifest.rc PROPERTIES OBJECT_DEPENDS ${dir}/${tgt}.manifest)
  target_sources(${tgt} PRIVATE ${dir}/${tgt}.manifest.rc)
endfunction()
