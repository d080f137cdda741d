# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

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
  target_link_libraries(${name} PRIVATE gmock gtest_main gtest ${ARG_LIBS})
  if(TARGET wevo_rc)
    target_link_libraries(${name} PRIVATE wevo_rc)
  endif()
  add_dependencies(${name} wevo_assets)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    # Tests run side by side: the simulated adapter keeps no state file unless a test names one.
    PROPERTIES TIMEOUT 120 ENVIRONMENT "WEVO_SIM_STATE=none")
endfunction()
