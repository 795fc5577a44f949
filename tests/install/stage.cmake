# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built program into a scratch root, as `cmake --install` does for a system:
#   cmake -D BUILD_DIR=<build tree> -D ROOT=<scratch root> -P stage.cmake
foreach(var BUILD_DIR ROOT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "stage.cmake: ${var} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE "${ROOT}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${ROOT}"
          "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()
