# add_xplane_plugin(<target> OUTPUT_DIR <dir> SOURCES <files...>)
#
# Builds the plug-in the way the simulator loads it: <dir>/lin.xpl on Linux,
# <dir>/win.xpl on Windows (the fat plug-in layout puts both in one folder).
# Either exports only the five entry points, and links the C++ runtime in
# statically so the plug-in does not depend on the host's.
#
# lin.xpl leaves every SDK function undefined, to be resolved from the host
# process at load time. No symbol is marked unique, so the host can unload
# it again; runtime/emergency_pool.cpp hands the runtime's exception pool
# back then. The runtime's few calls into glibc versions newer than 2.31 are
# answered inside the plug-in (runtime/glibc_compat.cpp), so it loads on
# every Linux the simulator runs on; scripts/check-plugin-binary.sh verifies
# the result.
#
# win.xpl imports the SDK functions it calls from XPLM_64.dll and
# XPWidgets_64.dll through import libraries made from its own objects just
# before the link (scripts/sdk-import-libraries.sh), and carries libgcc,
# winpthread, libpng and zlib too: a user copies one file.
# scripts/check-windows-plugin.sh verifies the result.

# The plug-in file's name on this platform, in the fat plug-in layout.
if(WIN32)
  set(QUIL_PLUGIN_FILE win.xpl)
else()
  set(QUIL_PLUGIN_FILE lin.xpl)
endif()

# Hidden visibility and no unique symbols for every object of a plug-in
# (clang makes none, and refuses GCC's switch for it).
function(quil_plugin_compile_options target)
  target_compile_options(${target} PRIVATE
    -fvisibility=hidden -fvisibility-inlines-hidden $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
endfunction()

# The GL library the simulator itself loads, which plug-ins that draw link
# (not OpenGL::GL): libGL.so.1, which every Linux GL driver provides
# (libOpenGL.so.0 only comes with vendor-neutral installations), or
# Windows' opengl32.dll.
add_library(xplane_gl INTERFACE)
if(WIN32)
  target_link_libraries(xplane_gl INTERFACE OpenGL::GL)
else()
  find_library(XPLANE_GL_LIBRARY NAMES GL REQUIRED)
  target_link_libraries(xplane_gl INTERFACE ${XPLANE_GL_LIBRARY})
  target_include_directories(xplane_gl INTERFACE ${OPENGL_INCLUDE_DIR})
endif()

function(add_xplane_plugin target)
  cmake_parse_arguments(ARG "" "OUTPUT_DIR" "SOURCES" ${ARGN})
  if(WIN32)
    add_library(${target} MODULE ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/plugin_exports.def)
    set(imports ${CMAKE_CURRENT_BINARY_DIR}/${target}-sdk-imports)
    add_custom_command(TARGET ${target} PRE_LINK
      COMMAND ${CMAKE_SOURCE_DIR}/scripts/sdk-import-libraries.sh ${imports}
              ${CMAKE_DLLTOOL} ${CMAKE_NM} "$<TARGET_OBJECTS:${target}>" ${ARG_SOURCES}
      COMMAND_EXPAND_LISTS VERBATIM)
    target_link_directories(${target} PRIVATE ${imports})
    target_link_libraries(${target} PRIVATE xplane_sdk XPLM_64 XPWidgets_64)
  else()
    add_library(${target} MODULE ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/runtime/glibc_compat.cpp
                ${CMAKE_SOURCE_DIR}/runtime/emergency_pool.cpp)
    target_link_libraries(${target} PRIVATE xplane_sdk)
    target_link_options(${target} PRIVATE
      -static-libstdc++ -static-libgcc
      -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/plugin_exports.map)
    set_target_properties(${target} PROPERTIES
      LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/plugin_exports.map)
  endif()
  quil_plugin_compile_options(${target})
  get_filename_component(name ${QUIL_PLUGIN_FILE} NAME_WE)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${name} SUFFIX ".xpl"
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR})
endfunction()
