#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt 6.4.2 for 64-bit Windows, statically, with Debian's MinGW-w64 (POSIX threads), once:
# Core, Gui, Widgets, Test and Svg with the Windows and offscreen platform plugins and the SVG
# image plugin, nothing else. About an hour on two cores; every later Windows build of the
# program on this machine uses the result.
#
#   tools/windows/build-qt.sh [prefix]
#
# prefix: where Qt goes, by default $RB_WINDOWS_QT or ~/.cache/raeuber-beute/qt-6.4.2-windows-x64
# (the folder `make windows` and CI look in). A prefix that already holds a finished Qt is left
# as it is. Sources: qtbase from Debian's source package qt6-base (a deb-src entry is added for
# it when missing), the same version as the host tools moc and rcc of qt6-base-dev-tools that
# the cross build runs; qtsvg from the tarball named by $RB_QTSVG_SOURCE, by default
# ../shared/windows/qtsvg-everywhere-src-6.4.2.tar.xz beside this checkout, checked against
# its sha256. The work folder (sources and build trees, several GB) is removed when all is
# installed, unless KEEP_WORK=1.
set -euo pipefail

root=$(cd "${0%/*}/../.." && pwd)
say() { echo "build-qt: $*" >&2; }

prefix=${1:-${RB_WINDOWS_QT:-$HOME/.cache/raeuber-beute/qt-6.4.2-windows-x64}}
prefix=$(realpath -m "$prefix")
work=${RB_QT_WORK:-$prefix.work}
svg_source=${RB_QTSVG_SOURCE:-$root/../shared/windows/qtsvg-everywhere-src-6.4.2.tar.xz}
svg_sha256=522dad4b3cf6d01d0c00e414b0df9691e0a96b78d019d4e8a092f1892721a271
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

if [ -f "$prefix/.complete" ]; then
  say "Qt for Windows is already in $prefix"
  exit 0
fi

# What the build needs: the cross compilers, Ninja, the host's Qt 6.4.2 tools, and what
# apt-get source needs to unpack a source package.
"$root/tools/install-deps.sh" qt-windows

[ -f "$svg_source" ] || { say "the qtsvg source is not at $svg_source (set RB_QTSVG_SOURCE)"; exit 1; }
echo "$svg_sha256  $svg_source" | sha256sum -c --quiet - ||
  { say "$svg_source is not qtsvg 6.4.2 (its sha256 differs)"; exit 1; }

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

mkdir -p "$work"
cd "$work"

# qtbase: Debian's source package, with Debian's patches applied by dpkg-source.
base_src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-6.4.2*' | head -n1)
if [ -z "$base_src" ]; then
  if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    say "adding a deb-src entry for Debian's sources (/etc/apt/sources.list.d/raeuber-beute-src.sources)"
    list=/etc/apt/sources.list.d/debian.sources
    if [ -f "$list" ]; then
      sed 's/^Types: *deb *$/Types: deb-src/' "$list" |
        "${as_root[@]}" tee /etc/apt/sources.list.d/raeuber-beute-src.sources >/dev/null
    else
      codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
      printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\n' \
        "$codename" | "${as_root[@]}" tee /etc/apt/sources.list.d/raeuber-beute-src.sources >/dev/null
    fi
    "${as_root[@]}" apt-get update -qq
  fi
  say "fetching Debian's source of qt6-base"
  apt-get source -qq qt6-base >/dev/null
  base_src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-6.4.2*' | head -n1)
  [ -n "$base_src" ] || { say "apt-get source qt6-base gave no qt6-base-6.4.2 folder"; exit 1; }
fi

toolchain=$work/mingw.cmake
cat >"$toolchain" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# Tablet support is off: Debian's source leaves out the wintab header the Windows plugin's pen
# input needs; pens then arrive as mouse and touch input. With OpenGL off, its dynamic loading
# must be off too (the Windows plugin does not build otherwise). Direct2D stays on: without it
# the Windows plugin refers to a DirectWrite font database that Gui then leaves out.
if [ ! -f build-base/.installed ]; then
  say "configuring qtbase (log: $work/build-base.log)"
  cmake -S "$base_src" -B build-base -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_testlib=ON -DFEATURE_system_zlib=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_dynamicgl=OFF \
    >build-base.log 2>&1 || { tail -40 build-base.log; exit 1; }
  say "building qtbase with $jobs jobs (about an hour on two cores)"
  cmake --build build-base -j "$jobs" >>build-base.log 2>&1 || { tail -40 build-base.log; exit 1; }
  cmake --install build-base >>build-base.log 2>&1 || { tail -40 build-base.log; exit 1; }
  touch build-base/.installed
fi

if [ ! -f build-svg/.installed ]; then
  rm -rf qtsvg-src && mkdir qtsvg-src
  tar -xJf "$svg_source" -C qtsvg-src --strip-components=1
  say "configuring and building qtsvg (log: $work/build-svg.log)"
  cmake -S qtsvg-src -B build-svg -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >build-svg.log 2>&1 ||
    { tail -40 build-svg.log; exit 1; }
  cmake --build build-svg -j "$jobs" >>build-svg.log 2>&1 || { tail -40 build-svg.log; exit 1; }
  cmake --install build-svg >>build-svg.log 2>&1 || { tail -40 build-svg.log; exit 1; }
  touch build-svg/.installed
fi

date -u +%FT%TZ >"$prefix/.complete"
say "Qt for Windows is in $prefix"
if [ "${KEEP_WORK:-0}" != 1 ]; then
  rm -rf "$work"
fi
