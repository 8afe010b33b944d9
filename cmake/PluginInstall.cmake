# `cmake --install <build> --prefix <aircraft folder>` lays out what an
# aircraft ships: the plug-in in the simulator's plug-in folder layout with
# the panel artwork it falls back to, and the demo aircraft's settings as an
# example. An aircraft's own conf/quil.cnf is never overwritten.
# Without --prefix (or a CMAKE_INSTALL_PREFIX given when configuring) the
# plug-in would land in CMake's default, a system folder no simulator looks
# in: that is refused before anything is written.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr/local\")
    message(FATAL_ERROR \"Give the aircraft folder: cmake --install <build> --prefix <aircraft folder>\")
  endif()")
install(TARGETS quil LIBRARY DESTINATION plugins/quil/64)
install(DIRECTORY ${CMAKE_BINARY_DIR}/quil/64/quiltextures DESTINATION plugins/quil/64
        FILES_MATCHING PATTERN "*.png")
install(CODE "
  set(settings \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/conf/quil.cnf\")
  if(EXISTS \"\${settings}\")
    message(STATUS \"Keeping the aircraft's own: \${settings}\")
  else()
    file(INSTALL \"${CMAKE_SOURCE_DIR}/aircraft/Quil737/conf/quil.cnf\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/conf\")
  endif()")
