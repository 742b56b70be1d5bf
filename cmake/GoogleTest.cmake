# GoogleTest from Debian's sources, built by the same cross toolchain as everything else.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# One Windows test program per subsystem, run under Wine by ctest as one entry. Its cases are
# listed too ("source.FrameUpdate.NewTextIsBuiltOnce...", label "case") so that `ctest -R`
# runs one; each is a process of its own, which under Wine costs a second or more, so the
# whole run (scripts/test.sh) leaves them out with -LE case. They are listed when ctest runs
# (after a build, once per changed program), not when the build links them.
function(add_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  string(REGEX REPLACE "_tests$" "." prefix ${name})
  gtest_discover_tests(${name} TEST_PREFIX ${prefix} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                       DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS case TIMEOUT 300)
endfunction()
