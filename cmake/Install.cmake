# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as a desktop application: the program, its launcher, its icon in the hicolor
# theme (the SVG and PNGs rendered at build time) and its AppStream metainfo.
#
#   cmake --install build --prefix /usr     (DESTDIR=... for a staging root)

include(GNUInstallDirs)

include("${PROJECT_SOURCE_DIR}/data/app.cmake")

set(RB_RELEASE_DATE "2026-12-09" CACHE STRING
    "Release date (YYYY-MM-DD) of version ${PROJECT_VERSION}, for the metainfo")
set(RB_DEVELOPER_NAME "Räuber-Beute Modell developers" CACHE STRING
    "Developer named in the metainfo and as the package maintainer")
set(RB_HOMEPAGE_URL "" CACHE STRING "Homepage of the program (none when empty)")
set(RB_SCREENSHOT_URL "https://raeuberbeute.de/screenshots/main-window.png" CACHE STRING
    "Address of the screenshot that software centres show")
# The program's licence; the metainfo and LICENSE say the same.
set(RB_PROJECT_LICENSE "GPL-3.0-or-later")

# The program. It finds Qt in the system's library directories: no RPATH.
set_target_properties(raeuber-beute PROPERTIES INSTALL_RPATH "")
install(TARGETS raeuber-beute RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The launcher.
install(FILES "${PROJECT_SOURCE_DIR}/data/${RB_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The metainfo, with the version and release date of this build.
set(rb_metainfo "${PROJECT_BINARY_DIR}/data/${RB_APP_ID}.metainfo.xml")
configure_file("${PROJECT_SOURCE_DIR}/data/${RB_APP_ID}.metainfo.xml.in" "${rb_metainfo}" @ONLY)
# Settings left empty leave their element out rather than empty.
file(READ "${rb_metainfo}" rb_metainfo_text)
string(REGEX REPLACE "[ ]*<url type=\"homepage\"></url>\n" "" rb_metainfo_text
       "${rb_metainfo_text}")
file(WRITE "${rb_metainfo}" "${rb_metainfo_text}")
install(FILES "${rb_metainfo}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the vector picture as it is, and PNGs of every size rendered from it.
install(FILES "${PROJECT_SOURCE_DIR}/assets/appIcon.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${RB_APP_ID}.svg)

qt_add_executable(iconrender "${PROJECT_SOURCE_DIR}/tools/iconrender/main.cpp")
set_target_properties(iconrender PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
target_link_libraries(iconrender PRIVATE Qt6::Gui Qt6::Svg rb_warnings)

set(rb_icon_dir "${PROJECT_BINARY_DIR}/data/icons")
set(rb_icon_pngs "")
set(rb_icon_args "")
foreach(size IN LISTS RB_ICON_SIZES)
  set(png "${rb_icon_dir}/${size}x${size}/${RB_APP_ID}.png")
  list(APPEND rb_icon_pngs "${png}")
  list(APPEND rb_icon_args ${size} "${png}")
  install(FILES "${png}"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
set(rb_icon_dirs "")
foreach(size IN LISTS RB_ICON_SIZES)
  list(APPEND rb_icon_dirs "${rb_icon_dir}/${size}x${size}")
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
