# Test helpers: every suite is a GoogleTest or Qt Test executable registered with ctest.
find_package(GTest REQUIRED)
include(GoogleTest)

set(QUORVEX_FIXTURES_DIR "${PROJECT_SOURCE_DIR}/tests/fixtures")

# quorvex_add_gtest(NAME SOURCES... LIBS...)
function(quorvex_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main quorvex_warnings)
  target_compile_definitions(${name} PRIVATE QUORVEX_FIXTURES_DIR="${QUORVEX_FIXTURES_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# quorvex_add_qtest(NAME SOURCES... LIBS...): a Qt Test executable run on the offscreen platform.
function(quorvex_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test quorvex_warnings)
  target_compile_definitions(${name} PRIVATE QUORVEX_FIXTURES_DIR="${QUORVEX_FIXTURES_DIR}"
                                             QUORVEX_GOLDEN_DIR="${PROJECT_SOURCE_DIR}/tests/golden")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
