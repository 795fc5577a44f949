# SPDX-License-Identifier: GPL-3.0-or-later
# rb_offscreen_plugin(<target>): a program that runs on the offscreen platform links it in where
# Qt is static (the Windows build), since a static Qt loads no plugins at run time.
function(rb_offscreen_plugin target)
  get_target_property(type Qt6::Gui TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
endfunction()

# On Windows the offscreen platform finds only the fonts of QT_QPA_FONTDIR: there it is given
# the faces that stand in for the window's on Linux (fonts-liberation, read under Wine).
set(RB_TEST_FONTS "")
if(WIN32)
  set(RB_TEST_FONTS ";QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation")
endif()

# rb_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [SCALED])
# Builds one Qt Test program and registers it with ctest as "<name>". Widget tests run on
# the offscreen platform so they need no display. SCALED: also as "<name>_scaled" on a screen
# scaled to twice the pixels.
function(rb_add_test)
  cmake_parse_arguments(T "SCALED" "NAME" "SOURCES;LIBS" ${ARGN})
  qt_add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test rb_warnings ${T_LIBS})
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  rb_offscreen_plugin(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FATAL_WARNINGS=0;LC_ALL=C.UTF-8${RB_TEST_FONTS}"
    TIMEOUT 300)
  if(T_SCALED) # the same test again on a screen scaled to twice the pixels
    add_test(NAME ${T_NAME}_scaled COMMAND ${T_NAME})
    set_tests_properties(${T_NAME}_scaled PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;QT_FATAL_WARNINGS=0;LC_ALL=C.UTF-8${RB_TEST_FONTS}"
      TIMEOUT 300)
  endif()
endfunction()

# rb_add_x11_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# A test that opens real windows on a virtual X display (xvfb-run, platform xcb) and drives
# them with real X input through xdotool. Not in the Windows build.
function(rb_add_x11_test)
  if(WIN32)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  qt_add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test rb_warnings ${T_LIBS})
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME ${T_NAME}
           COMMAND xvfb-run -a -s "-screen 0 1600x1000x24" $<TARGET_FILE:${T_NAME}>)
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;LC_ALL=C.UTF-8" TIMEOUT 300 LABELS x11
    # xvfb-run -a picks a free display number by looking; two starting at once can pick the
    # same one, so these tests take turns.
    RESOURCE_LOCK virtual_display)
endfunction()
