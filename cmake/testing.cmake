# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
add_library(wevo_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
target_link_libraries(wevo_test_main PUBLIC gtest)
add_executable(wine_warmup WIN32 ${CMAKE_SOURCE_DIR}/tests/support/wine_warmup.cpp)
target_link_libraries(wine_warmup PRIVATE ole32)

# Where Wine's 32-bit code runs in a user-mode emulator (see scripts/setup), a test takes
# several times longer.
if(EXISTS /usr/lib/wine/wine.i386)
  set(WEVO_TIME_SCALE 4)
else()
  set(WEVO_TIME_SCALE 1)
endif()
math(EXPR WEVO_TEST_TIMEOUT "60 * ${WEVO_TIME_SCALE}")
math(EXPR WEVO_E2E_TIMEOUT "300 * ${WEVO_TIME_SCALE}")
math(EXPR WEVO_DISCOVERY_TIMEOUT "60 * ${WEVO_TIME_SCALE}")

# Every test program runs through this script: it passes a test on its exit code and its own
# pass line both, and keeps ctest's pipe away from the processes Wine leaves behind.
set(WEVO_TEST_RUNNER ${CMAKE_SOURCE_DIR}/tests/support/run_test.sh)

# wevo_discover_tests(target [INPUT_TESTS pattern...] [TURN_TESTS pattern...] [PROPERTIES ...]):
# each test of the program becomes a ctest test, run in its own process. The tests that
# INPUT_TESTS names (gtest filter patterns) move the pointer, take the focus or the foreground,
# or read the screen at a point. Pointer, focus and foreground belong to the one Wine desktop,
# and any test that shows a window takes the foreground, so these tests run with no other
# beside them. The tests that TURN_TESTS names run the program itself, whose single-instance
# mutex allows one at a time, or use a file the program keeps in its own folder: ctest gives
# them turns, so a test's time is its own work and no test sees another's file.
function(wevo_discover_tests target)
  cmake_parse_arguments(ARG "" "" "INPUT_TESTS;TURN_TESTS;PROPERTIES" ${ARGN})
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR ${WEVO_TEST_RUNNER})
  set(common WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin DISCOVERY_MODE PRE_TEST
             DISCOVERY_TIMEOUT ${WEVO_DISCOVERY_TIMEOUT})
  set(special ${ARG_INPUT_TESTS} ${ARG_TURN_TESTS})
  if(NOT special)
    gtest_discover_tests(${target} ${common} PROPERTIES ${ARG_PROPERTIES})
    return()
  endif()
  list(JOIN special ":" others)
  gtest_discover_tests(${target} ${common} TEST_FILTER "-${others}" PROPERTIES ${ARG_PROPERTIES})
  if(ARG_INPUT_TESTS)
    list(JOIN ARG_INPUT_TESTS ":" input)
    gtest_discover_tests(${target} ${common} TEST_FILTER "${input}"
                         PROPERTIES ${ARG_PROPERTIES} RUN_SERIAL TRUE)
  endif()
  if(ARG_TURN_TESTS)
    list(JOIN ARG_TURN_TESTS ":" turns)
    gtest_discover_tests(${target} ${common} TEST_FILTER "${turns}"
                         PROPERTIES ${ARG_PROPERTIES} RESOURCE_LOCK wevo_program)
  endif()
endfunction()

# wevo_add_test(NAME dir [LIBS ...] [INPUT_TESTS ...] [TURN_TESTS ...]): one test program from
# every .cpp of tests/dir.
function(wevo_add_test name dir)
  cmake_parse_arguments(ARG "" "" "LIBS;INPUT_TESTS;TURN_TESTS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE gmock wevo_test_main gtest ${ARG_LIBS})
  if(TARGET wevo_rc)
    target_link_libraries(${name} PRIVATE wevo_rc)
  endif()
  add_dependencies(${name} wevo_assets)
  # Tests run side by side: the simulated adapter keeps no state file unless a test names one.
  wevo_discover_tests(${name} INPUT_TESTS ${ARG_INPUT_TESTS} TURN_TESTS ${ARG_TURN_TESTS}
                      PROPERTIES TIMEOUT ${WEVO_TEST_TIMEOUT} ENVIRONMENT "WEVO_SIM_STATE=none")
endfunction()
