# quendry_test(NAME LIBS lib... SOURCES file...)
# One GoogleTest executable per test folder and layer; every test is registered
# with CTest. Tests that need Qt run on the offscreen platform.
# A cross build cannot list a program's tests at build time: there each program is
# one CTest test, run through CMAKE_CROSSCOMPILING_EMULATOR (Wine for Windows).
# Every program is started with one file name outside ASCII after its options, which
# the test of command-line arguments looks for (GoogleTest leaves it alone).
set(QUENDRY_TEST_ARGUMENT "Höhle.wld")
function(quendry_test name)
  cmake_parse_arguments(QT "" "" "LIBS;SOURCES" ${ARGN})
  add_executable(${name} ${QT_SOURCES})
  target_link_libraries(${name} PRIVATE ${QT_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUENDRY_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} ${QUENDRY_TEST_ARGUMENT})
  else()
    # A test that times itself belongs to a suite whose name ends in "Timed": it runs
    # alone (RUN_SERIAL), so that other large tests under ctest -j do not slow it, and
    # carries the label timed (ctest -L timed / -LE timed).
    gtest_discover_tests(${name}
      TEST_FILTER "-*Timed.*"
      EXTRA_ARGS ${QUENDRY_TEST_ARGUMENT}
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      DISCOVERY_TIMEOUT 60)
    gtest_discover_tests(${name}
      TEST_FILTER "*Timed.*"
      EXTRA_ARGS ${QUENDRY_TEST_ARGUMENT}
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS timed RUN_SERIAL TRUE
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
