# rb_pictures: every picture of the program, embedded as resources and loaded once.
# The vector artwork lives in assets/; the two reef photographs are painted at build time by
# the reefpainter tool (tools/reefpainter) into the build tree and embedded from there.

set(RB_PICTURE_SVGS
  appIcon preyFace preyBowLeft preyYellowLeft preyPinkRight fishOrangeLeft
  predatorRight eatingRight targetCross
  startArrow startArrow16 stopSign stopSign16 clockFace
)
set(rb_picture_svg_files "")
foreach(name IN LISTS RB_PICTURE_SVGS)
  list(APPEND rb_picture_svg_files "${CMAKE_SOURCE_DIR}/assets/${name}.svg")
endforeach()

set(rb_photo_dir "${CMAKE_CURRENT_BINARY_DIR}/photos")
# Each photograph twice: for ordinary screens, and at twice the pixels (@2x) for screens with a
# device pixel ratio above 1. The order is the one reefpainter takes them in.
set(RB_PHOTOS reefBackdrop reefAquarium reefBackdrop@2x reefAquarium@2x)
set(rb_photo_files "")
foreach(name IN LISTS RB_PHOTOS)
  list(APPEND rb_photo_files "${rb_photo_dir}/${name}.jpg")
  set_source_files_properties("${rb_photo_dir}/${name}.jpg"
    PROPERTIES GENERATED TRUE QT_RESOURCE_ALIAS "photos/${name}.jpg")
endforeach()
add_custom_command(
  OUTPUT ${rb_photo_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${rb_photo_dir}"
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:reefpainter> ${rb_photo_files}
  DEPENDS reefpainter
  COMMENT "Painting the reef photographs"
  VERBATIM
)
foreach(name IN LISTS RB_PICTURE_SVGS)
  set_source_files_properties("${CMAKE_SOURCE_DIR}/assets/${name}.svg"
    PROPERTIES QT_RESOURCE_ALIAS "assets/${name}.svg")
endforeach()

qt_add_library(rb_pictures STATIC pictures.h pictures.cpp)
qt_add_resources(rb_pictures "rb_pictures"
  PREFIX "/"
  FILES ${rb_picture_svg_files} ${rb_photo_files}
)
target_include_directories(rb_pictures PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(rb_pictures PUBLIC Qt6::Gui Qt6::Svg Qt6::Widgets PRIVATE rb_warnings)
