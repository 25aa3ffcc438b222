# Installs the client sender from an Orlimo build and builds a client project
# against it twice: found as an installed package, and added as a source folder.
#   cmake -DBUILD_DIR=<Orlimo build> -DSOURCE_DIR=<Orlimo sources> -DWORK_DIR=<scratch>
#         -DGENERATOR=<generator> [-DTOOLCHAIN=<file>] [-DLAUNCHER=<compiler launcher>] -P PackageTest.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component OrlimoClient)
foreach(f include/BkLxIntf.h include/OrlimoClient.h bin/OrlimoClient.dll lib/cmake/OrlimoClient/OrlimoClientConfig.cmake
          lib/cmake/OrlimoClient/OrlimoClientTargets.cmake)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(GLOB libs ${prefix}/lib/*)
if(NOT libs MATCHES "OrlimoClientStatic" OR NOT libs MATCHES "OrlimoClient\\.(dll\\.a|lib)")
  message(FATAL_ERROR "the static library or the import library is missing: ${libs}")
endif()

set(common -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Release)
if(TOOLCHAIN)
  list(APPEND common -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
if(LAUNCHER)
  list(APPEND common -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
set(consumer ${SOURCE_DIR}/tests/win/client/package)

# The package's own directory is named: a cross-compiling toolchain looks for
# packages below its system root only.
run(${CMAKE_COMMAND} -S ${consumer} -B ${WORK_DIR}/found ${common} -DOrlimoClient_DIR=${prefix}/lib/cmake/OrlimoClient)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/found)
run(${CMAKE_COMMAND} -S ${consumer} -B ${WORK_DIR}/source ${common}
    -DORLIMO_CLIENT_SOURCE=${SOURCE_DIR}/src/protocol/client)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/source)
foreach(dir found source)
  foreach(exe cpp_client c_client)
    if(NOT EXISTS ${WORK_DIR}/${dir}/${exe}.exe)
      message(FATAL_ERROR "not built: ${dir}/${exe}.exe")
    endif()
  endforeach()
endforeach()
