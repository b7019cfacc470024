# Native builds use the system's GoogleTest; the cross build compiles Debian's
# sources (/usr/src/googletest) with the cross compiler, statically.
include(GoogleTest)
if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(TAPWELL_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
  add_subdirectory(${TAPWELL_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest 1.12 defines the GTest:: aliases itself.
  foreach(t gtest gtest_main gmock)
    if(NOT TARGET GTest::${t})
      add_library(GTest::${t} ALIAS ${t})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# tapwell_add_unit_test(NAME SOURCES... LIBS ...)
# Native: every test case becomes a CTest test. Cross: the whole binary is one
# CTest test run under Wine, so the build never has to start Wine to list cases.
function(tapwell_add_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  tapwell_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "wine" TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "unit")
  endif()
endfunction()
