# Installs both programs as desktop software: the binaries, their menu entries,
# icons, AppStream metainfo and manual pages, at the usual GNU places under
# CMAKE_INSTALL_PREFIX. Artwork and help pages are compiled into the binaries,
# and the SoundFont is looked up in the system's sf2 directory at run time, so
# nothing else is needed beside them.
include(GNUInstallDirs)

set(SOLFARA_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/desktop)
# Desktop file ids, also the AppStream component ids.
set(SOLFARA_DESKTOP_ID org.solfara.Solfara)
set(BEATWISE_DESKTOP_ID org.solfara.Beatwise)

install(TARGETS solfara beatwise RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(id ${SOLFARA_DESKTOP_ID} ${BEATWISE_DESKTOP_ID})
  install(FILES ${SOLFARA_DESKTOP_DIR}/${id}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The metainfo carries the release version of this build.
  configure_file(${SOLFARA_DESKTOP_DIR}/${id}.metainfo.xml
    ${CMAKE_BINARY_DIR}/desktop/${id}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/desktop/${id}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()

foreach(program solfara beatwise)
  install(FILES ${SOLFARA_DESKTOP_DIR}/icons/${program}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(${SOLFARA_DESKTOP_DIR}/man/${program}.1.in
    ${CMAKE_BINARY_DIR}/desktop/${program}.1 @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/desktop/${program}.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(DIRECTORY ${SOLFARA_DESKTOP_DIR}/icons/hicolor
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
  FILES_MATCHING PATTERN "*.png")

# The licence, GPL-3.0-or-later, where Debian keeps a package's copyright file.
install(FILES ${SOLFARA_DESKTOP_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/solfara)
