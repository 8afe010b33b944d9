# QUIL_FUZZ=ON (clang only, with QUIL_SANITIZE=ON) instruments every target
# for coverage and builds the libFuzzer targets of tests/fuzz/: the
# configuration parser, the PNG loader, the inter-plug-in command records
# and the runner's scenario parser. scripts/reliability.sh runs them.
option(QUIL_FUZZ "Build the libFuzzer targets (clang, with QUIL_SANITIZE)" OFF)

if(QUIL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT QUIL_SANITIZE)
    message(FATAL_ERROR "QUIL_FUZZ needs clang and QUIL_SANITIZE=ON")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  foreach(target config png protocol scenario)
    add_executable(${target}_fuzz ${CMAKE_SOURCE_DIR}/tests/fuzz/${target}_fuzz.cpp)
    target_link_libraries(${target}_fuzz PRIVATE quil_core quil_runner ZLIB::ZLIB)
    target_link_options(${target}_fuzz PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
