# Every target links this interface target, so the warning set is stated once: cmake_template's
# set, as far as GCC 12 and clang 14 know each warning.
add_library(varneska_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(varneska_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wcast-align -Wcast-qual -Wunused
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(varneska_warnings INTERFACE
      -Wmisleading-indentation -Wduplicated-cond -Wduplicated-branches -Wlogical-op
      -Wuseless-cast -Wsuggest-override)
    if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # GCC 12 reports impossible overlaps inside std::string's own inlined copies (its bug 105329).
      target_compile_options(varneska_warnings INTERFACE -Wno-restrict)
    endif()
  else()
    target_compile_options(varneska_warnings INTERFACE -Wsuggest-override)
  endif()
  if(VARNESKA_WARNINGS_AS_ERRORS)
    target_compile_options(varneska_warnings INTERFACE -Werror)
  endif()
endif()
