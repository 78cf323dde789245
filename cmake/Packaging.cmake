# Installation and the Debian package (cpack -G DEB, or `cmake --build build --target
# package`, or scripts/package.sh): the terminal and the two simulators in bin, the
# shipped program files in share/vornal-terminal (copied into each operator's own
# folder at the first start), the desktop entry, the icon and the manual page.
include(GNUInstallDirs)

install(TARGETS vornal-terminal vornal-boxsim vornal-dirsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sound module, found by the program at ../lib/vornal-terminal from its own folder.
install(TARGETS vornal-sound LIBRARY DESTINATION lib/vornal-terminal)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vornal-terminal)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vornal-terminal.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vornal-terminal.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vornal-terminal.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

set(VORNAL_MANPAGE ${CMAKE_BINARY_DIR}/vornal-terminal.1.gz)
add_custom_command(
  OUTPUT ${VORNAL_MANPAGE}
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/vornal-terminal.1 > ${VORNAL_MANPAGE}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/vornal-terminal.1
  COMMENT "Compressing the manual page")
add_custom_target(vornal_manpage ALL DEPENDS ${VORNAL_MANPAGE})
install(FILES ${VORNAL_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vornal-terminal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vornal USB Terminal developers")
set(CPACK_PACKAGE_CONTACT "Vornal USB Terminal developers <terminal@vornal.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop terminal for the Vornal teleprinter network")
set(CPACK_PACKAGE_DESCRIPTION
    "Talks over one serial port to a Vornal USB / RS232 interface box: dialling, prepared texts,\n broadcasts, phonebook updates from the directory server and human-readable tape. Ships the\n interface-box and directory-server simulators vornal-boxsim and vornal-dirsim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system's platform plugins are no library the programs link.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
