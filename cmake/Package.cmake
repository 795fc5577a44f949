# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of the installed program:
#
#   cmake --build build --target package     (or: cd build && cpack)
#
# gives build/raeuber-beute_<version>_<arch>.deb. The libraries it needs are found by
# dpkg-shlibdeps where it is available; the rest of its run-time needs are listed here.

include("${PROJECT_SOURCE_DIR}/data/app.cmake")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "raeuber-beute")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${RB_DEVELOPER_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "predator-prey teaching simulation with two fish species")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "raeuber-beute")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(RB_PACKAGE_MAINTAINER "${RB_DEVELOPER_NAME} <raeuber-beute@localhost>" CACHE STRING
    "Maintainer of the Debian package, \"Name <address>\"")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RB_PACKAGE_MAINTAINER}")
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

# Run-time needs the linker does not see: the fonts that stand in for the window's faces.
set(rb_depends "fonts-liberation")
find_program(RB_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(RB_DPKG_SHLIBDEPS)
if(RB_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # Debian 12's Qt 6.4; the X11 platform plugin and the JPEG reader come with libqt6gui6.
  string(PREPEND rb_depends
         "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), "
         "libqt6svg6 (>= 6.4), libstdc++6, libc6, ")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${rb_depends}")
# Other platform plugins (Wayland and more) help on some desktops but are not needed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, qt6-wayland")

# `package_source`: the sources as a tarball, without version control and build trees.
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "/\\.cache/" "~$")

include(CPack)
