# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's own files, made by `make windows` (preset "windows"):
#
#   build-windows/raeuber-beute-<version>-windows-x64.zip   the program's folder: unzip, start
#   build-windows/raeuber-beute-<version>-setup.exe         the setup for a school's IT (NSIS)
#
# The program carries its icon and version information as Windows resources; the icon file is
# rendered from the application icon by iconrender. Both packages hold the same folder: the
# program, the guide and worksheet as HTML with their pictures, LICENSE.txt and LIESMICH.txt.

include("${PROJECT_SOURCE_DIR}/data/app.cmake")
include(Guide)
enable_language(RC)

set(RB_DEVELOPER_NAME "Räuber-Beute Modell developers" CACHE STRING
    "Developer named in the program's version information and the setup")

# The icon, at the sizes Explorer, the taskbar and the Start menu ask for.
set(RB_WINDOWS_ICON "${PROJECT_BINARY_DIR}/data/raeuber-beute.ico")
add_custom_command(
  OUTPUT "${RB_WINDOWS_ICON}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/data"
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:iconrender> "${PROJECT_SOURCE_DIR}/assets/appIcon.svg"
          --ico "${RB_WINDOWS_ICON}" 16 20 24 32 40 48 64 256
  DEPENDS iconrender "${PROJECT_SOURCE_DIR}/assets/appIcon.svg"
  COMMENT "Rendering the program's Windows icon"
  VERBATIM)
add_custom_target(windows_icon DEPENDS "${RB_WINDOWS_ICON}")
set(rb_rc "${PROJECT_BINARY_DIR}/data/raeuber-beute.rc")
configure_file("${PROJECT_SOURCE_DIR}/data/windows/raeuber-beute.rc.in" "${rb_rc}" @ONLY)
# The program's target lives in src/: the resource file's dependency on the icon is set there.
set_source_files_properties("${rb_rc}" DIRECTORY "${PROJECT_SOURCE_DIR}/src"
                            PROPERTIES OBJECT_DEPENDS "${RB_WINDOWS_ICON}")
target_sources(raeuber-beute PRIVATE "${rb_rc}")
add_dependencies(raeuber-beute windows_icon)
# A window program, without a console. It needs no DLLs: the toolchain links the C and C++
# run-times and the thread library in, and the static Qt brings the window's platform plugin
# and the SVG image plugin.
set_target_properties(raeuber-beute PROPERTIES WIN32_EXECUTABLE ON)

# Qt's own texts (a text box's context menu) in German: Debian's translation of this Qt
# version, carried in the form runtime (and so in the program and its tests), since a Windows
# computer has no Qt folder to load it from.
set(rb_qt_translation "/usr/share/qt6/translations/qtbase_de.qm")
if(EXISTS "${rb_qt_translation}")
  set_source_files_properties("${rb_qt_translation}" PROPERTIES QT_RESOURCE_ALIAS qtbase_de.qm)
  qt_add_resources(rb_runtime rb_qt_translation PREFIX "/translations"
                   FILES "${rb_qt_translation}")
else()
  message(WARNING "${rb_qt_translation} (Debian's qt6-translations-l10n) is not installed: "
                  "Qt's own texts stay English on Windows")
endif()

# The folder both packages hold, staged in build-windows/package/.
set(rb_stage "${PROJECT_BINARY_DIR}/package/raeuber-beute")
set(rb_readme "${PROJECT_BINARY_DIR}/data/LIESMICH.txt")
# With a byte order mark and Windows line ends, so that every Notepad shows its umlauts.
file(READ "${PROJECT_SOURCE_DIR}/data/windows/LIESMICH.txt.in" rb_text)
string(REGEX REPLACE "^(#[^\n]*\n)+" "" rb_text "${rb_text}")
string(ASCII 239 187 191 rb_bom)
file(CONFIGURE OUTPUT "${rb_readme}" CONTENT "${rb_bom}${rb_text}" @ONLY NEWLINE_STYLE CRLF)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${PROJECT_SOURCE_DIR}/data/windows/LIESMICH.txt.in")

set(rb_packed "${RB_GUIDE_HTML}" "${RB_GUIDE_PICTURES}")
set(rb_names raeuber-beute.exe LICENSE.txt LIESMICH.txt)
foreach(file IN LISTS rb_packed)
  get_filename_component(name "${file}" NAME)
  list(APPEND rb_names "${name}")
endforeach()

# The setup's install and uninstall lines, one per file, so that the uninstaller removes only
# what the setup brought.
set(RB_SETUP_INSTALL_LINES "")
set(RB_SETUP_UNINSTALL_LINES "")
foreach(name IN LISTS rb_names)
  string(APPEND RB_SETUP_INSTALL_LINES "  File \"${rb_stage}/${name}\"\n")
  string(APPEND RB_SETUP_UNINSTALL_LINES "  Delete \"$INSTDIR\\${name}\"\n")
endforeach()
string(STRIP "${RB_SETUP_INSTALL_LINES}" RB_SETUP_INSTALL_LINES)
string(STRIP "${RB_SETUP_UNINSTALL_LINES}" RB_SETUP_UNINSTALL_LINES)
string(PREPEND RB_SETUP_INSTALL_LINES "  ")
string(PREPEND RB_SETUP_UNINSTALL_LINES "  ")

set(RB_ZIP_FILE "${PROJECT_BINARY_DIR}/raeuber-beute-${PROJECT_VERSION}-windows-x64.zip")
set(RB_SETUP_FILE "${PROJECT_BINARY_DIR}/raeuber-beute-${PROJECT_VERSION}-setup.exe")
set(RB_SETUP_STAGE "${rb_stage}")
# The list of installed apps shows the size; the exe is most of it (about 20 MB).
set(RB_SETUP_SIZE_KB 24000)
set(rb_nsi "${PROJECT_BINARY_DIR}/data/setup.nsi")
configure_file("${PROJECT_SOURCE_DIR}/data/windows/setup.nsi.in" "${rb_nsi}" @ONLY)

# The zip: the staged folder's files at its top, so that Explorer's "Extract all" gives one
# folder named after the zip. File times are the release date's, so that the same build gives
# the same zip.
add_custom_command(
  OUTPUT "${RB_ZIP_FILE}"
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${rb_stage}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${rb_stage}"
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:raeuber-beute> ${rb_packed} "${rb_readme}"
          "${rb_stage}"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/LICENSE" "${rb_stage}/LICENSE.txt"
  COMMAND ${CMAKE_COMMAND} -E chdir "${rb_stage}"
          ${CMAKE_COMMAND} -E tar cf "${RB_ZIP_FILE}" --format=zip --mtime=2026-12-09 ${rb_names}
  DEPENDS raeuber-beute ${rb_packed} "${rb_readme}" "${PROJECT_SOURCE_DIR}/LICENSE"
  COMMENT "Packing raeuber-beute-${PROJECT_VERSION}-windows-x64.zip"
  VERBATIM)

find_program(RB_MAKENSIS makensis)
mark_as_advanced(RB_MAKENSIS)
if(RB_MAKENSIS)
  add_custom_command(
    OUTPUT "${RB_SETUP_FILE}"
    COMMAND "${RB_MAKENSIS}" -V2 -INPUTCHARSET UTF8 "${rb_nsi}"
    DEPENDS "${RB_ZIP_FILE}" "${rb_nsi}" "${RB_WINDOWS_ICON}"
    COMMENT "Writing raeuber-beute-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(windows_packages ALL DEPENDS "${RB_ZIP_FILE}" "${RB_SETUP_FILE}")
else()
  message(WARNING "makensis (Debian's nsis) is not installed: no setup, only the zip")
  add_custom_target(windows_packages ALL DEPENDS "${RB_ZIP_FILE}")
endif()
