# SPDX-License-Identifier: GPL-3.0-or-later
# make install and make uninstall into a scratch prefix that already holds a file of another
# program, in a folder the installation also uses, and an empty folder of its own:
#   cmake -D BUILD_DIR=<build tree> -D SOURCE_DIR=<source tree> -D PREFIX=<scratch> \
#         -P roundtrip.cmake
# The installation puts the program and its guide there; the uninstallation leaves the prefix
# exactly as it was.
foreach(var BUILD_DIR SOURCE_DIR PREFIX)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "roundtrip.cmake: ${var} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
file(MAKE_DIRECTORY "${PREFIX}/share/applications" "${PREFIX}/empty")
file(WRITE "${PREFIX}/share/applications/other.desktop" "[Desktop Entry]\n")

function(tree var)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${PREFIX}" "${PREFIX}/*")
  list(SORT entries)
  set(${var} "${entries}" PARENT_SCOPE)
endfunction()
tree(before)

execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DESTDIR
          "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()
foreach(file bin/raeuber-beute share/raeuber-beute/anleitung.html
        share/raeuber-beute/arbeitsblatt.html share/doc/raeuber-beute/copyright)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# As `make uninstall` calls it: the build tree named from the folder above it.
get_filename_component(build_name "${BUILD_DIR}" NAME)
get_filename_component(build_parent "${BUILD_DIR}" DIRECTORY)
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DESTDIR
          "${CMAKE_COMMAND}" -D "BUILD_DIR=${build_name}" -D "PREFIX=${PREFIX}"
          -P "${SOURCE_DIR}/cmake/Uninstall.cmake"
  WORKING_DIRECTORY "${build_parent}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Uninstall.cmake failed (${rc}):\n${out}")
endif()
tree(after)
if(NOT after STREQUAL before)
  message(FATAL_ERROR "the prefix is not as it was:\nbefore: ${before}\nafter:  ${after}")
endif()
file(READ "${PREFIX}/share/applications/other.desktop" other)
if(NOT other STREQUAL "[Desktop Entry]\n")
  message(FATAL_ERROR "another program's file was changed")
endif()
