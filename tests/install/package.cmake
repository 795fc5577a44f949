# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack and unpacks it into a scratch root:
#   cmake -D BUILD_DIR=<build tree> -D OUT=<scratch dir> -D VERSION=<x.y.z> -P package.cmake
# leaves OUT/package.deb and OUT/root/.
foreach(var BUILD_DIR OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "package.cmake: ${var} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(
  COMMAND "${CMAKE_CPACK_COMMAND}" --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}")
endif()

file(GLOB debs "${OUT}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${OUT}, found: ${debs}")
endif()
get_filename_component(name "${debs}" NAME)
if(NOT name MATCHES "^raeuber-beute_${VERSION}_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "package file name ${name} is not raeuber-beute_${VERSION}_<arch>.deb")
endif()
file(RENAME "${debs}" "${OUT}/package.deb")
file(REMOVE_RECURSE "${OUT}/_CPack_Packages")

execute_process(COMMAND dpkg-deb -x "${OUT}/package.deb" "${OUT}/root"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed (${rc}):\n${out}")
endif()
