# solfara_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT] [RESOURCE_LOCK name])
# Builds one GoogleTest executable and registers its tests with CTest.
# QT: link the Qt test main (a QApplication on the offscreen platform);
# otherwise the plain gtest main is used, so pure tests stay free of Qt.
# RESOURCE_LOCK: tests sharing one outside resource (the private sound
# server's microphone) never run at the same time.
function(solfara_add_test name)
  cmake_parse_arguments(T "QT" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # A test sees the headers of its own folder, the shared helpers in
  # tests/support and the libraries it links, nothing else.
  solfara_current_folder(folder)
  string(REPLACE "/" "_" folder_target ${folder})
  set(root ${CMAKE_BINARY_DIR}/include/${folder_target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${name} PRIVATE ${root})
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} test_support qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest_main GTest::gmock)
  endif()
  # Discovery flattens list values into property names, so each property
  # gets a single value: one variable in ENVIRONMENT, the other as a modification.
  set(properties ENVIRONMENT QT_QPA_PLATFORM=offscreen
                 ENVIRONMENT_MODIFICATION JACK_NO_START_SERVER=set:1)
  if(T_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties})
endfunction()
