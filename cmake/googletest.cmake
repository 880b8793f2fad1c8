# GoogleTest: the system package natively; built from Debian's sources for cross targets. A tree
# configured before GoogleTest is installed (`make demo`) has no tests; CTest then refuses to
# report success on it.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(VORRA_HAVE_GTEST ON)
  endif()
else()
  find_package(GTest QUIET)
  set(VORRA_HAVE_GTEST ${GTest_FOUND})
endif()
if(NOT VORRA_HAVE_GTEST)
  message(STATUS "GoogleTest is not installed: this tree builds no tests")
  return()
endif()

# Every test program, for trees that build only what they test (the sanitized ones).
add_custom_target(vorra_tests)

# One test executable per subsystem; its cases are listed when CTest runs (under Wine for the
# Windows targets), so building never needs the emulator.
# LABELS names the labels its cases carry, for presets that run only some suites.
function(vorra_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  add_dependencies(vorra_tests ${name})
  # Built all the same where it cannot run; CTest counts it as skipped and says why.
  if(VORRA_TEST_SKIP_REASON)
    add_test(NAME ${name} COMMAND sh -c "echo '${VORRA_TEST_SKIP_REASON}'; exit 77")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ENVIRONMENT "VORRA_BUILD_DIR=${CMAKE_BINARY_DIR}"
                                  LABELS "${ARG_LABELS}")
endfunction()
