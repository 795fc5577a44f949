# Language standard and warnings for every target of the project, set in one place.
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
