# Every target links this interface target, so the warning set is stated once.
add_library(varneska_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(varneska_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports impossible overlaps inside std::string's own inlined copies (its bug 105329).
    target_compile_options(varneska_warnings INTERFACE -Wno-restrict)
  endif()
  if(VARNESKA_WARNINGS_AS_ERRORS)
    target_compile_options(varneska_warnings INTERFACE -Werror)
  endif()
endif()
