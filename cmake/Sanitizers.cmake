# The sanitizer build aborts on the first report, so a test that trips one fails.
add_library(varneska_sanitizers INTERFACE)
if(VARNESKA_SANITIZE)
  target_compile_options(varneska_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(varneska_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# What every target of the project links.
add_library(varneska_options INTERFACE)
target_link_libraries(varneska_options INTERFACE varneska_warnings varneska_sanitizers)
