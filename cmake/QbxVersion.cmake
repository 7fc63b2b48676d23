# The version is defined once, in project(); everything that shows it includes "generated/Version.h".
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
add_library(qbx_version INTERFACE)
target_include_directories(qbx_version INTERFACE ${CMAKE_BINARY_DIR})
