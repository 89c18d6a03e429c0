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

# add_project_test(<name> SOURCES ... [LIBRARIES ...])
# One CTest entry per test case; under MinGW each runs through the Wine wrapper.
function(add_project_test name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest GTest::gtest_main project_options)
  target_compile_definitions(${name} PRIVATE
    TEST_DATA_DIR="${test_data_dir}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED wine)
endfunction()
