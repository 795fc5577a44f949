# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what `cmake --install <build> --prefix <prefix>` (make install) put under a prefix:
#
#   cmake -D BUILD_DIR=<build tree> -D PREFIX=<prefix> -P cmake/Uninstall.cmake   (make uninstall)
#
# with DESTDIR, as for installing, in the environment when the copy was staged. Which files
# those are is read from a scratch install of the same build tree (BUILD_DIR/uninstall-list),
# not from the last install's manifest, which the package and the tests overwrite. Then the
# folders left empty go, up to the prefix itself, which stays.
foreach(var BUILD_DIR PREFIX)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "Uninstall.cmake: ${var} is not set")
  endif()
endforeach()
get_filename_component(prefix "${PREFIX}" ABSOLUTE)
get_filename_component(build "${BUILD_DIR}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")
set(scratch "${build}/uninstall-list")

file(REMOVE_RECURSE "${scratch}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DESTDIR
          "${CMAKE_COMMAND}" --install "${build}" --prefix "${scratch}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install into ${scratch} failed (${rc}):\n${out}")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${scratch}" "${scratch}/*")
file(REMOVE_RECURSE "${scratch}")

set(removed 0)
set(folders "")
foreach(file IN LISTS installed)
  if(EXISTS "${root}/${file}" OR IS_SYMLINK "${root}/${file}")
    file(REMOVE "${root}/${file}")
    math(EXPR removed "${removed} + 1")
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  while(NOT folder STREQUAL "")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()

# Deepest first, so that a folder's empty subfolders are gone when it is looked at.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  file(GLOB left "${root}/${folder}/*") # hidden files too
  if(IS_DIRECTORY "${root}/${folder}" AND left STREQUAL "")
    file(REMOVE_RECURSE "${root}/${folder}")
  endif()
endforeach()
message(STATUS "Removed ${removed} files of raeuber-beute from ${root}")
