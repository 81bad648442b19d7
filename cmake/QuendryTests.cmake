# quendry_test(NAME LIBS lib... SOURCES file...)
# One GoogleTest executable per test folder and layer; every test is registered
# with CTest. Tests that need Qt run on the offscreen platform.
function(quendry_test name)
  cmake_parse_arguments(QT "" "" "LIBS;SOURCES" ${ARGN})
  add_executable(${name} ${QT_SOURCES})
  target_link_libraries(${name} PRIVATE ${QT_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUENDRY_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  # A test that times itself belongs to a suite whose name ends in "Timed": it runs
  # alone (RUN_SERIAL), so that other large tests under ctest -j do not slow it, and
  # carries the label timed (ctest -L timed / -LE timed).
  gtest_discover_tests(${name}
    TEST_FILTER "-*Timed.*"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
  gtest_discover_tests(${name}
    TEST_FILTER "*Timed.*"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS timed RUN_SERIAL TRUE
    DISCOVERY_TIMEOUT 60)
endfunction()
