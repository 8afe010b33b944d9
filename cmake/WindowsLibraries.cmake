# The libraries of the Windows build that Debian's MinGW packages do not
# provide as the plug-in needs them: libpng, built here as a static library
# from its sources beside the repository, over MinGW's static zlib.
set(QUIL_LIBPNG_DIR ${QUIL_SHARED_DIR}/thirdparty/libpng CACHE PATH "libpng sources")
if(NOT EXISTS ${QUIL_LIBPNG_DIR}/png.h)
  message(FATAL_ERROR "The Windows build needs the libpng sources in ${QUIL_LIBPNG_DIR}")
endif()

set(ZLIB_USE_STATIC_LIBS ON)
set(PNG_SHARED OFF)
set(PNG_STATIC ON)
set(PNG_TESTS OFF)
set(PNG_TOOLS OFF)
set(SKIP_INSTALL_ALL ON)
add_subdirectory(${QUIL_LIBPNG_DIR} ${CMAKE_BINARY_DIR}/libpng EXCLUDE_FROM_ALL)
add_library(PNG::PNG ALIAS png_static)
