# SPDX-License-Identifier: GPL-3.0-or-later
# Language standard, warnings and hardening for every target of the project, set in one place.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

option(RB_WARNINGS_AS_ERRORS "Treat compiler warnings as errors (CI builds)" OFF)

add_library(rb_warnings INTERFACE)
target_compile_options(rb_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(RB_WARNINGS_AS_ERRORS)
  target_compile_options(rb_warnings INTERFACE -Werror)
endif()

# Hardening as Debian's dpkg-buildflags applies it to every package: stack protector, checked
# (fortified) C library calls, position-independent executables, and a read-only relocation
# table bound at start (relro, now). Fortification needs an optimising build, so Debug builds
# (and the sanitizer builds made from them) leave it out; the fuzz build turns it all off so
# that the sanitizers, not the fortified calls, report what the fuzzer finds.
# On Windows the same stack protector and checked calls (MinGW-w64's libssp, linked in), and
# the executable protections of Windows: address space layout randomisation with 64-bit
# addresses, and no execution of data.
option(RB_HARDENING "Build with Debian's hardening flags" ON)
if(RB_HARDENING)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                      $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
  if(WIN32)
    add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat
                     -Wl,--high-entropy-va)
  else()
    include(CheckPIESupported)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_link_options(-Wl,-z,relro -Wl,-z,now)
  endif()
endif()
