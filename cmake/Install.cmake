# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as a desktop application: the program, its launcher, its icon in the hicolor
# theme (the SVG and PNGs rendered at build time), its AppStream metainfo, its manual pages
# in English and German, the copyright file and the guide for teachers.
#
#   cmake --install build --prefix /usr     (DESTDIR=... for a staging root)
#
# The target rb_install_files builds everything these rules install.

include(GNUInstallDirs)

include("${PROJECT_SOURCE_DIR}/data/app.cmake")
include(Guide)

# The release date is given for the metainfo, the manual pages and the package's changelog.
set(RB_RELEASE_DATE "2026-12-09" CACHE STRING
    "Release date (YYYY-MM-DD) of version ${PROJECT_VERSION}")
set(RB_DEVELOPER_NAME "Räuber-Beute Modell developers" CACHE STRING
    "Developer named in the metainfo, the copyright file and as the package maintainer")
set(RB_HOMEPAGE_URL "" CACHE STRING "Homepage of the program (none when empty)")
set(RB_SCREENSHOT_URL "https://raeuberbeute.de/screenshots/main-window.png" CACHE STRING
    "Address of the screenshot that software centres show")
set(RB_MAINTAINER "${RB_DEVELOPER_NAME} <entwicklung@raeuberbeute.de>" CACHE STRING
    "Contact in the copyright file and maintainer of the Debian package, \"Name <address>\"")
# The program's licence; the metainfo, the copyright file and LICENSE say the same.
set(RB_PROJECT_LICENSE "GPL-3.0-or-later")
set(RB_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/raeuber-beute")
set(RB_GUIDE_DIR "${CMAKE_INSTALL_DATADIR}/${RB_DATA_FOLDER}")

find_program(RB_GZIP gzip REQUIRED)
mark_as_advanced(RB_GZIP)

# rb_install_file(<file> <destination> [RENAME <name>] [COMPONENT <name>])
# Installs one file and records it in the global property RB_INSTALLED_FILES: the Debian
# package is rebuilt when one of them changes (cmake/Package.cmake). Files of a COMPONENT are
# left out of a plain `cmake --install` and installed only into the package.
function(rb_install_file file destination)
  cmake_parse_arguments(A "" "RENAME;COMPONENT" "" ${ARGN})
  set(extra "")
  if(A_RENAME)
    list(APPEND extra RENAME "${A_RENAME}")
  endif()
  if(A_COMPONENT)
    list(APPEND extra COMPONENT "${A_COMPONENT}" EXCLUDE_FROM_ALL)
  endif()
  install(FILES "${file}" DESTINATION "${destination}" ${extra})
  set_property(GLOBAL APPEND PROPERTY RB_INSTALLED_FILES "${file}")
endfunction()

# rb_gzip(<file>): a build rule that compresses <file> into <file>.gz as Debian's tools do (best,
# no name or time stamp in the header, so that the same input gives the same bytes).
function(rb_gzip file)
  add_custom_command(OUTPUT "${file}.gz"
    COMMAND "${RB_GZIP}" -9nkf "${file}"
    DEPENDS "${file}"
    VERBATIM)
endfunction()

# rb_configure_text(<template> <output>): configure_file with @VAR@ substitution for templates
# of files that allow no comments: the template's first lines starting with "#" are left out.
function(rb_configure_text template output)
  file(READ "${template}" text)
  string(REGEX REPLACE "^(#[^\n]*\n)+" "" text "${text}")
  file(CONFIGURE OUTPUT "${output}" CONTENT "${text}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${template}")
endfunction()

# The program. It finds Qt in the system's library directories: no RPATH.
set_target_properties(raeuber-beute PROPERTIES INSTALL_RPATH "")
install(TARGETS raeuber-beute RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set_property(GLOBAL APPEND PROPERTY RB_INSTALLED_FILES "$<TARGET_FILE:raeuber-beute>")

# The launcher.
rb_install_file("${PROJECT_SOURCE_DIR}/data/${RB_APP_ID}.desktop"
                ${CMAKE_INSTALL_DATADIR}/applications)

# The metainfo, with the version and release date of this build.
set(rb_metainfo "${PROJECT_BINARY_DIR}/data/${RB_APP_ID}.metainfo.xml")
set(rb_template "${PROJECT_SOURCE_DIR}/data/${RB_APP_ID}.metainfo.xml.in")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${rb_template}")
file(READ "${rb_template}" rb_metainfo_text)
string(CONFIGURE "${rb_metainfo_text}" rb_metainfo_text @ONLY)
# Settings left empty leave their element out rather than empty.
string(REGEX REPLACE "[ ]*<url type=\"homepage\"></url>\n" "" rb_metainfo_text
       "${rb_metainfo_text}")
# Written only when it changes, so that the package is not packed again for nothing.
file(CONFIGURE OUTPUT "${rb_metainfo}" CONTENT "${rb_metainfo_text}")
rb_install_file("${rb_metainfo}" ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual pages, English and German, with this version and release date.
set(rb_man_pages "")
foreach(lang IN ITEMS en de)
  if(lang STREQUAL "en")
    set(source "${PROJECT_SOURCE_DIR}/data/raeuber-beute.1.in")
    set(mandir "${CMAKE_INSTALL_MANDIR}/man1")
  else()
    set(source "${PROJECT_SOURCE_DIR}/data/raeuber-beute.${lang}.1.in")
    set(mandir "${CMAKE_INSTALL_MANDIR}/${lang}/man1")
  endif()
  set(page "${PROJECT_BINARY_DIR}/data/man/${lang}/raeuber-beute.1")
  configure_file("${source}" "${page}" @ONLY)
  rb_gzip("${page}")
  list(APPEND rb_man_pages "${page}.gz")
  rb_install_file("${page}.gz" "${mandir}")
endforeach()
add_custom_target(man_pages ALL DEPENDS ${rb_man_pages})

# The copyright file in Debian's machine-readable format.
rb_configure_text("${PROJECT_SOURCE_DIR}/data/copyright.in" "${PROJECT_BINARY_DIR}/data/copyright")
rb_install_file("${PROJECT_BINARY_DIR}/data/copyright" "${RB_DOC_DIR}")
# The guide and its worksheet, as Markdown and as the HTML pages built from them
# (cmake/Guide.cmake), with their pictures, in the program's own folder: F1 opens the guide
# there, also where an installation leaves out share/doc/.
foreach(file IN LISTS RB_GUIDE_MARKDOWN RB_GUIDE_HTML RB_GUIDE_PICTURES)
  rb_install_file("${file}" "${RB_GUIDE_DIR}")
endforeach()

# The icon: the vector picture as it is, and PNGs of every size rendered from it.
rb_install_file("${PROJECT_SOURCE_DIR}/assets/appIcon.svg"
                ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${RB_APP_ID}.svg)

set(rb_icon_dir "${PROJECT_BINARY_DIR}/data/icons")
set(rb_icon_pngs "")
set(rb_icon_args "")
set(rb_icon_dirs "")
foreach(size IN LISTS RB_ICON_SIZES)
  set(png "${rb_icon_dir}/${size}x${size}/${RB_APP_ID}.png")
  list(APPEND rb_icon_pngs "${png}")
  list(APPEND rb_icon_args ${size} "${png}")
  list(APPEND rb_icon_dirs "${rb_icon_dir}/${size}x${size}")
  rb_install_file("${png}" ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(
  OUTPUT ${rb_icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${rb_icon_dirs}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:iconrender> "${PROJECT_SOURCE_DIR}/assets/appIcon.svg" ${rb_icon_args}
  DEPENDS iconrender "${PROJECT_SOURCE_DIR}/assets/appIcon.svg"
  COMMENT "Rendering the application icon"
  VERBATIM
)
add_custom_target(app_icons ALL DEPENDS ${rb_icon_pngs})

add_custom_target(rb_install_files)
add_dependencies(rb_install_files raeuber-beute app_icons man_pages guide_html)
