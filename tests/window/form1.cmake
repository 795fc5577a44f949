rb_add_test(NAME tst_form1 SOURCES tst_form1.cpp LIBS rb_app)
