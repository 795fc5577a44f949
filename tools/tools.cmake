# SPDX-License-Identifier: GPL-3.0-or-later
# rb_host_tool(<name> SOURCES <files...> LIBS <targets...>): a helper program that the build
# runs on this machine. A cross build (Windows from Linux) does not build it for the target but
# takes the one of a native build from RB_HOST_TOOLS_DIR (`make windows` builds them in build/).
set(RB_HOST_TOOLS_DIR "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "Native build tree whose helper programs a cross build runs")
function(rb_host_tool name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    find_program(RB_HOST_${name} ${name} PATHS "${RB_HOST_TOOLS_DIR}" "${RB_HOST_TOOLS_DIR}/tools"
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT RB_HOST_${name})
      message(FATAL_ERROR "${name}, built natively, is not in ${RB_HOST_TOOLS_DIR}: build it "
                          "there first (cmake --build build --target ${name}), or set "
                          "RB_HOST_TOOLS_DIR")
    endif()
    add_executable(${name} IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES IMPORTED_LOCATION "${RB_HOST_${name}}")
    return()
  endif()
  qt_add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
  target_link_libraries(${name} PRIVATE ${T_LIBS} rb_warnings)
endfunction()

# reefpainter: paints the two reef photographs (fixed seed, reproducible); the build runs it
# for rb_window (src/window/CMakeLists.txt).
rb_host_tool(reefpainter SOURCES reefpainter/main.cpp reefpainter/reefscene.h
             reefpainter/reefscene.cpp LIBS Qt6::Gui)
if(TARGET reefpainter AND NOT CMAKE_CROSSCOMPILING)
  target_include_directories(reefpainter PRIVATE ${PROJECT_SOURCE_DIR}/src) # paintedrect.h
endif()
# guidehtml: the guide's Markdown pages as HTML (cmake/Guide.cmake).
rb_host_tool(guidehtml SOURCES guidehtml/main.cpp LIBS Qt6::Gui)
# iconrender: the application icon as PNGs of each size, and as a Windows icon file.
rb_host_tool(iconrender SOURCES iconrender/main.cpp LIBS Qt6::Gui Qt6::Svg)

# contact-sheet: every picture at the size the window shows it, on the aquarium photograph
# and on black, with names, into one PNG. The test run produces build/contact-sheet.png.
if(BUILD_TESTING)
  qt_add_executable(contact-sheet contactsheet/main.cpp)
  set_target_properties(contact-sheet PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
  target_link_libraries(contact-sheet PRIVATE rb_window Qt6::Gui rb_warnings)
  rb_offscreen_plugin(contact-sheet)
  add_test(NAME contact_sheet
           COMMAND contact-sheet "${CMAKE_BINARY_DIR}/contact-sheet.png")
  set_tests_properties(contact_sheet PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8${RB_TEST_FONTS}" TIMEOUT 120)

  # monkey-helper: where the window's controls lie, and close requests, for the monkey
  # (tools/monkey/monkey.sh, `make monkey`).
  find_library(RB_XCB_LIBRARY xcb)
  if(RB_XCB_LIBRARY AND NOT WIN32)
    qt_add_executable(monkey-helper monkey/helper.cpp)
    set_target_properties(monkey-helper PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
    target_include_directories(monkey-helper PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(monkey-helper PRIVATE rb_control ${RB_XCB_LIBRARY} rb_warnings)
  endif()
endif()
