rb_add_test(NAME tst_pictures SOURCES tst_pictures.cpp LIBS rb_pictures)
