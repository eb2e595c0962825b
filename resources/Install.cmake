# `cmake --install`: the program with its resource folder and shipped profiles
# in one folder (it finds them beside itself), a link to it in bin/, and a
# desktop launcher with its icon. The launcher names the program by the
# prefix given at install time, so `cmake --install --prefix DIR` works too.
include(GNUInstallDirs)
# Not LIBDIR: the test and the launcher find it at the same place on every prefix.
set(KM_INSTALL_PROGRAM_DIR lib/kestrelmedia)
install(TARGETS kestrelmedia km-dvd-check RUNTIME DESTINATION ${KM_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${KM_RES_DIR}/ DESTINATION ${KM_INSTALL_PROGRAM_DIR}/res)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/profiles/ DESTINATION ${KM_INSTALL_PROGRAM_DIR}/Profiles)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/kestrelmedia.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(CODE "
  set(program \"\${CMAKE_INSTALL_PREFIX}/${KM_INSTALL_PROGRAM_DIR}/kestrelmedia\")
  set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bindir}\")
  file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\" \"\${program}\")
  message(STATUS \"Installing: \${bindir}/kestrelmedia -> \${target}\")
  file(CREATE_LINK \"\${target}\" \"\${bindir}/kestrelmedia\" SYMBOLIC)
  set(KM_INSTALLED_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kestrelmedia\")
  set(apps \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  message(STATUS \"Installing: \${apps}/kestrelmedia.desktop\")
  configure_file(\"${CMAKE_SOURCE_DIR}/resources/desktop/kestrelmedia.desktop.in\" \"\${apps}/kestrelmedia.desktop\" @ONLY)
")
