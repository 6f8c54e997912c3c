# cmake --install (make install PREFIX=...): the programs, the engine library
# (libzelkor.so.3 with its development link), its header and pkg-config file,
# the output plug-in, and the player's desktop entry and icons.
include(GNUInstallDirs)

install(TARGETS zelkor LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS zk_dsound_output LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/engine/include/zelkor.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The pkg-config file finds the prefix from where it lies, so the --prefix
# given at install time holds.
file(RELATIVE_PATH ZELKOR_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/engine/zelkor.pc.in ${PROJECT_BINARY_DIR}/zelkor.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zelkor.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set_target_properties(zkplay PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
install(TARGETS zkplay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT TAERIN_ENGINE_ONLY)
  install(TARGETS taerin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/desktop/taerin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(DIRECTORY ${TAERIN_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${PROJECT_SOURCE_DIR}/desktop/icons/taerin.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
