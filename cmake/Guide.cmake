# SPDX-License-Identifier: GPL-3.0-or-later
# The guide for teachers and its worksheet as HTML pages that a browser shows (F1 in the program
# opens the guide), built into <build>/docs/ with their pictures beside them by the guidehtml
# tool. Sets RB_GUIDE_MARKDOWN, RB_GUIDE_HTML and RB_GUIDE_PICTURES (the pages' sources, the
# pages and their pictures) and the target guide_html.
include_guard(GLOBAL)

file(GLOB RB_GUIDE_PICTURES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/docs/anleitung-*.png")
set(RB_GUIDE_MARKDOWN "")
set(RB_GUIDE_HTML "")
foreach(page IN ITEMS anleitung arbeitsblatt)
  set(md "${PROJECT_SOURCE_DIR}/docs/${page}.md")
  set(html "${PROJECT_BINARY_DIR}/docs/${page}.html")
  add_custom_command(
    OUTPUT "${html}"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:guidehtml> "${md}" "${html}"
    DEPENDS guidehtml "${md}" ${RB_GUIDE_PICTURES}
    COMMENT "Writing docs/${page}.html"
    VERBATIM)
  list(APPEND RB_GUIDE_MARKDOWN "${md}")
  list(APPEND RB_GUIDE_HTML "${html}")
endforeach()
add_custom_target(guide_html ALL DEPENDS ${RB_GUIDE_HTML})
