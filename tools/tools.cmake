# SPDX-License-Identifier: GPL-3.0-or-later
# reefpainter: paints the two reef photographs (fixed seed, reproducible); the build runs it
# for rb_window (src/window/CMakeLists.txt).
qt_add_executable(reefpainter reefpainter/main.cpp reefpainter/reefscene.h reefpainter/reefscene.cpp)
set_target_properties(reefpainter PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
target_link_libraries(reefpainter PRIVATE Qt6::Gui rb_warnings)
target_include_directories(reefpainter PRIVATE ${PROJECT_SOURCE_DIR}/src) # paintedrect.h

# contact-sheet: every picture at the size the window shows it, on the aquarium photograph
# and on black, with names, into one PNG. The test run produces build/contact-sheet.png.
if(BUILD_TESTING)
  qt_add_executable(contact-sheet contactsheet/main.cpp)
  set_target_properties(contact-sheet PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
  target_link_libraries(contact-sheet PRIVATE rb_window Qt6::Gui rb_warnings)
  add_test(NAME contact_sheet
           COMMAND contact-sheet "${CMAKE_BINARY_DIR}/contact-sheet.png")
  set_tests_properties(contact_sheet PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8" TIMEOUT 120)

  # monkey-helper: where the window's controls lie, and close requests, for the monkey
  # (tools/monkey/monkey.sh, `make monkey`).
  find_library(RB_XCB_LIBRARY xcb)
  if(RB_XCB_LIBRARY)
    qt_add_executable(monkey-helper monkey/helper.cpp)
    set_target_properties(monkey-helper PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
    target_include_directories(monkey-helper PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(monkey-helper PRIVATE rb_control ${RB_XCB_LIBRARY} rb_warnings)
  endif()
endif()
