# The plug-in's layers. Each folder under plugin/ is an object library that
# compiles against an include root of its own in the build tree, holding
# links to its own folder and to the folders of the layers below it that it
# names, and nothing else: an #include of a higher layer, or of a layer not
# named, fails to compile.

# quil_include_root(<root> <base> <entry>...): links <root>/<entry> to
# <base>/<entry> for each entry, a folder or a single header.
function(quil_include_root root base)
  foreach(entry ${ARGN})
    get_filename_component(parent ${root}/${entry} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${base}/${entry} ${root}/${entry} SYMBOLIC)
  endforeach()
endfunction()

set(QUIL_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include-roots)
file(REMOVE_RECURSE ${QUIL_INCLUDE_ROOTS})

# quil_platform_sources(<list>): drops from the list the sources of the
# other platform, those ending in _linux.cpp or _windows.cpp.
function(quil_platform_sources list)
  if(WIN32)
    list(FILTER ${list} EXCLUDE REGEX "_linux\\.cpp$")
  else()
    list(FILTER ${list} EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  set(${list} ${${list}} PARENT_SCOPE)
endfunction()

# quil_plugin_layer(<folder> [USES <folder>...]): the layer's library,
# quil_<folder>, from plugin/<folder>/*.cpp for this platform.
set(QUIL_PLUGIN_LAYERS)
function(quil_plugin_layer folder)
  cmake_parse_arguments(ARG "" "" "USES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/plugin/${folder}/*.cpp)
  quil_platform_sources(sources)
  set(root ${QUIL_INCLUDE_ROOTS}/${folder})
  quil_include_root(${root} ${CMAKE_SOURCE_DIR}/plugin ${folder} ${ARG_USES})
  add_library(quil_${folder} OBJECT ${sources})
  target_include_directories(quil_${folder} PRIVATE ${root})
  target_link_libraries(quil_${folder} PRIVATE xplane_sdk PNG::PNG OpenGL::GL)
  quil_plugin_compile_options(quil_${folder})
  set(QUIL_PLUGIN_LAYERS ${QUIL_PLUGIN_LAYERS} quil_${folder} PARENT_SCOPE)
endfunction()

# Lowest first; each names every layer it may include.
quil_plugin_layer(platform)
quil_plugin_layer(sim USES platform)
quil_plugin_layer(control USES sim)
quil_plugin_layer(systems USES sim control)
quil_plugin_layer(autoflight USES sim control systems)
quil_plugin_layer(render USES platform sim)
quil_plugin_layer(instruments USES sim render systems autoflight)
quil_plugin_layer(windows USES sim control render instruments systems autoflight)
quil_plugin_layer(panel USES sim render instruments windows systems autoflight)
quil_plugin_layer(host USES platform sim control systems autoflight render instruments windows panel)

# The whole plug-in's code as one library, for lin.xpl and for the tests
# and tools that drive its modules directly (they see every layer).
set(QUIL_PLUGIN_OBJECTS)
foreach(layer ${QUIL_PLUGIN_LAYERS})
  list(APPEND QUIL_PLUGIN_OBJECTS $<TARGET_OBJECTS:${layer}>)
endforeach()
add_library(quil_core STATIC ${QUIL_PLUGIN_OBJECTS})
target_include_directories(quil_core INTERFACE ${CMAKE_SOURCE_DIR}/plugin)
target_link_libraries(quil_core INTERFACE xplane_sdk PNG::PNG OpenGL::GL)

# The inter-plug-in protocol's numbers: the one header of the plug-in that
# the stand-in's trace and our other plug-ins (the peer, the soak) share.
quil_include_root(${QUIL_INCLUDE_ROOTS}/protocol ${CMAKE_SOURCE_DIR}/plugin
  autoflight/protocol_numbers.h)
add_library(quil_protocol INTERFACE)
target_include_directories(quil_protocol INTERFACE ${QUIL_INCLUDE_ROOTS}/protocol)
