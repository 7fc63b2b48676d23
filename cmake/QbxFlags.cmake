# One place for the compiler flags and warnings every target of the project carries.
add_library(qbx_flags INTERFACE)
target_compile_features(qbx_flags INTERFACE cxx_std_20)
if(MSVC)
  target_compile_options(qbx_flags INTERFACE /W4 /utf-8)
else()
  target_compile_options(qbx_flags INTERFACE -Wall -Wextra -Wpedantic -Wold-style-cast)
endif()

# Sanitizers for the store and the tests that exercise it.
add_library(qbx_sanitize INTERFACE)
if(QBX_SANITIZE AND NOT MSVC)
  target_compile_options(qbx_sanitize INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qbx_sanitize INTERFACE -fsanitize=address,undefined)
endif()
