# Every target links this interface target, so the warning set is stated once.
add_library(varneska_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(varneska_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(VARNESKA_WARNINGS_AS_ERRORS)
    target_compile_options(varneska_warnings INTERFACE -Werror)
  endif()
endif()
