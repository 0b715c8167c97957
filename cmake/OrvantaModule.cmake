# orvanta_module(NAME [RECURSE] [DEPS libs...] [TEST_DEPS libs...])
# Builds a static library from the .cc files of the current folder (with
# RECURSE, of the folders below it too; tests
# and other systems' files left out: *_posix.cc is for POSIX systems,
# *_windows.cc for Windows) and, when the folder has *_test.cc files, a
# test program from them that ctest runs.
function(orvanta_module name)
  cmake_parse_arguments(ARG "RECURSE" "" "DEPS;TEST_DEPS" ${ARGN})
  set(glob GLOB)
  if(ARG_RECURSE)
    set(glob GLOB_RECURSE)
  endif()
  file(${glob} sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cc)
  list(FILTER sources EXCLUDE REGEX "_test\\.cc$")
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cc$")
  else()
    list(FILTER sources EXCLUDE REGEX "_windows\\.cc$")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  file(${glob} tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cc)
  if(tests)
    add_executable(${name}_test ${tests})
    set_target_properties(${name}_test PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
    target_link_libraries(${name}_test PRIVATE ${name} ${ARG_TEST_DEPS}
      GTest::gmock GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name}_test)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORVANTA_BUILD_DIR=${PROJECT_BINARY_DIR};ORVANTA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
endfunction()
