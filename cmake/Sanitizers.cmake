# QUIL_SANITIZE=ON builds every target, the plug-ins included, with
# AddressSanitizer and UndefinedBehaviorSanitizer, with GCC or clang. Any
# report stops the program, so a test that meets one fails.
option(QUIL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(QUIL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # Tests about the shipped binary itself (its needed libraries) hold for the
  # normal build only: the sanitizer runtimes bring libraries of their own.
  add_compile_definitions(QUIL_SANITIZED_BUILD)
endif()
