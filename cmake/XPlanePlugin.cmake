# add_xplane_plugin(<target> OUTPUT_DIR <dir> SOURCES <files...>)
#
# Builds <dir>/lin.xpl the way the simulator loads plug-ins on Linux: a
# shared object that exports only the five entry points and leaves every SDK
# function undefined, to be resolved from the host process at load time. The
# C++ runtime is linked in statically so the plug-in does not depend on the
# host's, and no symbol is marked unique, so the host can unload it again;
# runtime/emergency_pool.cpp hands the runtime's exception pool back then.
# The runtime's few calls into glibc versions newer than 2.31 are answered
# inside the plug-in (runtime/glibc_compat.cpp), so it loads on every Linux
# the simulator runs on; scripts/check-plugin-binary.sh verifies the result.
# Hidden visibility and no unique symbols for every object of a plug-in
# (clang makes none, and refuses GCC's switch for it).
function(quil_plugin_compile_options target)
  target_compile_options(${target} PRIVATE
    -fvisibility=hidden -fvisibility-inlines-hidden $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
endfunction()

# The GL library the simulator itself loads, libGL.so.1, which every Linux
# GL driver provides (libOpenGL.so.0 only comes with vendor-neutral
# installations). Plug-ins that draw link this, not OpenGL::GL.
find_library(XPLANE_GL_LIBRARY NAMES GL REQUIRED)
add_library(xplane_gl INTERFACE)
target_link_libraries(xplane_gl INTERFACE ${XPLANE_GL_LIBRARY})
target_include_directories(xplane_gl INTERFACE ${OPENGL_INCLUDE_DIR})

function(add_xplane_plugin target)
  cmake_parse_arguments(ARG "" "OUTPUT_DIR" "SOURCES" ${ARGN})
  add_library(${target} MODULE ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/runtime/glibc_compat.cpp
              ${CMAKE_SOURCE_DIR}/runtime/emergency_pool.cpp)
  target_link_libraries(${target} PRIVATE xplane_sdk)
  quil_plugin_compile_options(${target})
  target_link_options(${target} PRIVATE
    -static-libstdc++ -static-libgcc
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/plugin_exports.map)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME "lin" SUFFIX ".xpl"
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
    LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/plugin_exports.map)
endfunction()
