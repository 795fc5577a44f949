# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, as Qt needs) against
# the static Qt for Windows that tools/windows/build-qt.sh builds. Where that Qt lies:
# RB_WINDOWS_QT (a CMake variable or the environment), by default
# ~/.cache/raeuber-beute/qt-6.4.2-windows-x64. Qt's host tools (moc, rcc, uic) are this
# machine's own Qt 6.4.2 from qt6-base-dev-tools.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT RB_WINDOWS_QT)
  if(DEFINED ENV{RB_WINDOWS_QT})
    set(rb_qt "$ENV{RB_WINDOWS_QT}")
  else()
    set(rb_qt "$ENV{HOME}/.cache/raeuber-beute/qt-6.4.2-windows-x64")
  endif()
  set(RB_WINDOWS_QT "${rb_qt}" CACHE PATH "Qt for Windows, static (tools/windows/build-qt.sh)")
endif()
# Passed on to CMake's own test builds (try_compile), which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RB_WINDOWS_QT)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${RB_WINDOWS_QT}")
set(CMAKE_PREFIX_PATH "${RB_WINDOWS_QT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Every program links the C and C++ run-times and the thread library statically, so that it
# runs without the compiler's DLLs: on a school's computer, and under Wine for the tests.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
