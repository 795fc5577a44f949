# SPDX-License-Identifier: GPL-3.0-or-later
# Unpacks the Debian package into a scratch root:
#   cmake -D DEB=<package file> -D OUT=<scratch dir> -D VERSION=<x.y.z-r> -P package.cmake
# leaves OUT/root/.
foreach(var DEB OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "package.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${DEB}")
  message(FATAL_ERROR "${DEB} is not built (target deb)")
endif()
get_filename_component(name "${DEB}" NAME)
if(NOT name MATCHES "^raeuber-beute_${VERSION}_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "package file name ${name} is not raeuber-beute_${VERSION}_<arch>.deb")
endif()
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND dpkg-deb -x "${DEB}" "${OUT}/root"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed (${rc}):\n${out}")
endif()
