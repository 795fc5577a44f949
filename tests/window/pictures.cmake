rb_add_test(NAME tst_pictures SOURCES tst_pictures.cpp LIBS rb_pictures)
# The same checks on a screen scaled to twice the pixels: photographs keep their logical size
# and come with twice the device pixels.
add_test(NAME tst_pictures_scaled COMMAND tst_pictures)
set_tests_properties(tst_pictures_scaled PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;QT_FATAL_WARNINGS=0;LC_ALL=C.UTF-8"
  TIMEOUT 300)
