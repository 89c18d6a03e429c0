# GoogleTest from Debian's sources, built for whichever tree this is.
enable_testing()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Wine sees the Linux file system as drive Z:.
if(WIN32)
  set(test_data_dir "Z:${PROJECT_SOURCE_DIR}/tests/data")
else()
  set(test_data_dir "${PROJECT_SOURCE_DIR}/tests/data")
endif()

# add_project_test(<name> SOURCES ... [LIBRARIES ...] [WINDOW_TESTS] [LOCKS ...])
# One CTest entry per test case; under MinGW each runs through the Wine wrapper.
# WINDOW_TESTS: the tests create real windows; their main refuses every unscripted dialog.
# LOCKS: resources the tests must hold alone while they run (the clipboard is one per
# display: two tests copying and pasting at once would read each other's data).
# FILTER: a gtest filter for the cases CTest runs one by one (others run through a script).
function(add_project_test name)
  cmake_parse_arguments(arg "WINDOW_TESTS" "FILTER" "SOURCES;LIBRARIES;LOCKS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  if(arg_WINDOW_TESTS)
    set(main window_test_main)
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} ${main} GTest::gtest project_options)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${test_data_dir}")
  set(properties TIMEOUT 120)
  if(arg_LOCKS)
    list(APPEND properties RESOURCE_LOCK "${arg_LOCKS}")
  endif()
  if(NOT arg_FILTER)
    set(arg_FILTER "*")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_FILTER "${arg_FILTER}"
    PROPERTIES ${properties})
endfunction()
