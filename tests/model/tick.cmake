# The generation tick through the real window.
rb_add_test(NAME tst_generationtick SOURCES tst_generationtick.cpp LIBS rb_app)
# Thousands of generations against the population model, and absurd typed parameters.
rb_add_test(NAME tst_longrun SOURCES tst_longrun.cpp LIBS rb_app)
# A real window on a virtual display: preset, dragged start state, start and stop.
rb_add_x11_test(NAME tst_tick_x11 SOURCES tst_tick_x11.cpp LIBS rb_app)
