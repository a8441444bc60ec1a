# `make package` (cpack) builds one Debian package holding both programs. Its
# dependencies: the shared libraries found by dpkg-shlibdeps, the same runtime
# libraries named outright, a General MIDI SoundFont for the built-in
# synthesizer and the fonts the drawing substitutes for the original faces.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME solfara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Solfara developers <solfara@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sight-singing and steady-pulse trainers for music students")
set(CPACK_PACKAGE_DESCRIPTION
  "solfara shows a melody on a staff and listens through the microphone while it is sung,\n\
note by note; it can play the melody and take answers on a drawn keyboard or fretboard.\n\
beatwise trains a steady pulse: keys hit on the beat are judged early, on target or late.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6, libqt6gui6, libqt6widgets6, libfluidsynth3, librtmidi6, librtaudio6, \
libsndfile1, libsamplerate0, timgm6mb-soundfont | sf2-soundfont-gm, fonts-liberation, \
fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
