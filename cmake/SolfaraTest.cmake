# solfara_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT] [RESOURCE_LOCK name])
# Builds one GoogleTest executable and registers its tests with CTest.
# QT: link the Qt test main (a QApplication on the offscreen platform);
# otherwise the plain gtest main is used, so pure tests stay free of Qt.
# RESOURCE_LOCK: tests sharing one outside resource (the private sound
# server's microphone) never run at the same time.
function(solfara_add_test name)
  cmake_parse_arguments(T "QT" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;JACK_NO_START_SERVER=1"
               RESOURCE_LOCK "${T_RESOURCE_LOCK}")
endfunction()
