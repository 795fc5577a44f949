# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of the installed program:
#
#   cmake --build build --target deb     (make package)
#
# gives build/raeuber-beute_<version>-<revision>_<arch>.deb. It is rebuilt only when a file it
# packs or the package's settings change. The libraries it needs are found by dpkg-shlibdeps
# where it is available; the rest of its run-time needs are listed here.

include("${PROJECT_SOURCE_DIR}/data/app.cmake")

# The Debian revision of this packaging of the program's version.
set(RB_PACKAGE_REVISION 1)
set(RB_PACKAGE_VERSION "${PROJECT_VERSION}-${RB_PACKAGE_REVISION}")

# rb_changelog_date(<var> <YYYY-MM-DD>): the date as a Debian changelog writes it,
# "Wed, 09 Dec 2026 12:00:00 +0000" (noon, so that it is the same day in every time zone).
function(rb_changelog_date var date)
  if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "RB_RELEASE_DATE must be YYYY-MM-DD, not \"${date}\"")
  endif()
  set(dd "${CMAKE_MATCH_3}")
  math(EXPR y "${CMAKE_MATCH_1}")
  math(EXPR m "1${CMAKE_MATCH_2} - 100")
  math(EXPR d "1${CMAKE_MATCH_3} - 100")
  # Day of the week (0 = Sunday) by Sakamoto's method.
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  if(m LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR i "${m} - 1")
  list(GET offsets ${i} offset)
  math(EXPR dow "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${d}) % 7")
  set(days Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET days ${dow} day)
  list(GET months ${i} month)
  string(SUBSTRING "${date}" 0 4 year)
  set(${var} "${day}, ${dd} ${month} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()

# The changelog, only in the package: its newest entry is this version.
rb_changelog_date(RB_CHANGELOG_DATE "${RB_RELEASE_DATE}")
set(rb_changelog "${PROJECT_BINARY_DIR}/data/changelog.Debian")
rb_configure_text("${PROJECT_SOURCE_DIR}/data/changelog.in" "${rb_changelog}")
rb_gzip("${rb_changelog}")
add_custom_target(package_changelog ALL DEPENDS "${rb_changelog}.gz")
rb_install_file("${rb_changelog}.gz" "${RB_DOC_DIR}" COMPONENT deb)
rb_install_file("${PROJECT_SOURCE_DIR}/data/lintian-overrides"
                "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME raeuber-beute COMPONENT deb)

# The architecture as Debian names it, known here so that the package's file name is.
find_program(RB_DPKG dpkg)
mark_as_advanced(RB_DPKG)
if(RB_DPKG)
  execute_process(COMMAND "${RB_DPKG}" --print-architecture
                  OUTPUT_VARIABLE rb_deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
  set(rb_deb_arch amd64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
  set(rb_deb_arch arm64)
else()
  set(rb_deb_arch "${CMAKE_SYSTEM_PROCESSOR}")
endif()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "raeuber-beute")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${RB_DEVELOPER_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "predator-prey teaching simulation with two fish species")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "raeuber-beute")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${RB_PACKAGE_REVISION}")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${rb_deb_arch}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${RB_HOMEPAGE_URL}")
# Extended description; CPack puts the summary line above it and formats it for Debian.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Räuber-Beute Modell is a teaching simulation of a predator-prey model with
German texts. Generation by generation, prey fish grow towards the capacity
of their aquarium while predator fish eat them and multiply. Every
generation is shown as fish swimming in the aquarium, as a time-series
chart, as a point in a phase diagram and as numbers.

Learners change the four model parameters or choose one of four presets
(large or small attracting cycle, attracting fixed point, unstable
equilibrium), and drag a target marker across the phase diagram to set
both stocks at once.")

# The libraries, as dpkg-shlibdeps finds them where it is available.
find_program(RB_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(RB_DPKG_SHLIBDEPS)
if(RB_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # Debian 12's Qt 6.4; the X11 platform plugin and the JPEG reader come with libqt6gui6.
  string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
         "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), "
         "libqt6svg6 (>= 6.4), libstdc++6, libc6")
endif()
# Helpful, not needed (apt installs them unless told not to): the Liberation fonts, which stand
# in for the window's classic faces (without them it runs with other fonts), the desktop's
# platform themes among Qt's other platform plugins, Qt's own texts (a text box's context menu)
# in German, and xdg-open, through which F1 opens the guide in the browser (without it F1 says
# where the guide lies). Qt's Wayland plugin is only suggested: it pulls in Qt's QML and Quick
# libraries, and a Widgets program runs on Wayland desktops through XWayland as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation, qt6-qpa-plugins, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")

# `package_source`: the sources as a tarball, without version control and build trees.
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/" "~$")

include(CPack)

# The package, as a build rule: the install rules fill a staging root (stripped, with the
# package-only files), and CPack packs that directory as it is. Packing the staged directory
# rather than letting CPack install spares its "preinstall" step, which would build every
# target of the tree first.
set(RB_DEB_FILE "${PROJECT_BINARY_DIR}/raeuber-beute_${RB_PACKAGE_VERSION}_${rb_deb_arch}.deb")
set(rb_deb_work "${PROJECT_BINARY_DIR}/package")
get_property(rb_packed_files GLOBAL PROPERTY RB_INSTALLED_FILES)
add_custom_command(
  OUTPUT "${RB_DEB_FILE}"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${rb_deb_work}"
  COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${rb_deb_work}/root"
          "${CMAKE_COMMAND}" --install "${PROJECT_BINARY_DIR}" --prefix /usr --strip
  COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${rb_deb_work}/root"
          "${CMAKE_COMMAND}" --install "${PROJECT_BINARY_DIR}" --prefix /usr --component deb
  COMMAND "${CMAKE_CPACK_COMMAND}" --config "${PROJECT_BINARY_DIR}/CPackConfig.cmake"
          -B "${rb_deb_work}" -D "CPACK_INSTALL_CMAKE_PROJECTS="
          -D "CPACK_INSTALLED_DIRECTORIES=${rb_deb_work}/root$<SEMICOLON>."
  COMMAND "${CMAKE_COMMAND}" -E rename
          "${rb_deb_work}/raeuber-beute_${RB_PACKAGE_VERSION}_${rb_deb_arch}.deb" "${RB_DEB_FILE}"
  DEPENDS raeuber-beute ${rb_packed_files} "${PROJECT_BINARY_DIR}/CPackConfig.cmake"
  COMMENT "Packing raeuber-beute_${RB_PACKAGE_VERSION}_${rb_deb_arch}.deb"
  VERBATIM
)
if(BUILD_TESTING)
  # The package tests check the package of every build.
  add_custom_target(deb ALL DEPENDS "${RB_DEB_FILE}")
else()
  add_custom_target(deb DEPENDS "${RB_DEB_FILE}")
endif()
