# `make package` (cpack) builds one Debian package holding both programs, for
# Debian 12. Its dependencies: the runtime library packages (found by
# dpkg-shlibdeps, or named outright where it is missing), a General MIDI
# SoundFont and the fonts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME solfara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Solfara project <developers@solfara.org>")
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
# What no shared library names: a General MIDI SoundFont for the built-in synthesizer and the
# fonts that stand in for the original faces.
set(solfara_runtime_data "timgm6mb-soundfont | sf2-soundfont-gm, fonts-liberation, fonts-liberation2")
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  # The library packages with the versions the binaries were linked against.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${solfara_runtime_data}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6core6, libqt6gui6, libqt6widgets6, libfluidsynth3, \
librtmidi6, librtaudio6, libsndfile1, libsamplerate0, libzip4, libasound2, libpulse0, ${solfara_runtime_data}")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
