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

# A test passes on gtest's own verdict in its output: under Wine a process that has written its
# result can still crash or hang while the system tears it down, which says nothing of the test.
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

set(WEVO_TEST_PASSED "\\[  PASSED  \\] 1 test\\.|\\[  SKIPPED \\] 1 test")

# wevo_add_test(NAME dir [LIBS ...]): one test program from every .cpp of tests/dir,
# each test run in its own process under Wine.
function(wevo_add_test name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
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
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT ${WEVO_DISCOVERY_TIMEOUT}
    # Tests run side by side: the simulated adapter keeps no state file unless a test names one.
    PROPERTIES TIMEOUT ${WEVO_TEST_TIMEOUT} ENVIRONMENT "WEVO_SIM_STATE=none"
               PASS_REGULAR_EXPRESSION "${WEVO_TEST_PASSED}")
endfunction()
