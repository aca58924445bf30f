# Precompiled headers. Every target compiles with the same flags, so one header
# built once serves them all (REUSE_FROM). Loading a .gch costs every compile
# that uses it time that grows with its size, and GCC's are large (60 MB for the
# few standard headers below), so a header goes in only when nearly every file
# parses it anyway: the heavy standard headers, and the property registry's
# templates for the two libraries that declare published properties. GoogleTest
# stays out: a .gch with it (105 MB) made test files slower to build, not faster.
# A .gch that does not fit a compile is reported by -Winvalid-pch, an error here,
# rather than silently parsed again.
set(DUPLEXION_PCH_STD <algorithm> <cstdint> <cstring> <functional> <memory> <string> <vector>)

# The target whose precompiled header `target` reuses: std or registry.
function(duplexion_pch target kind)
  if(NOT DUPLEXION_PCH)
    return()
  endif()
  set(provider duplexion_pch_${kind})
  if(NOT TARGET ${provider})
    add_library(${provider} OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch.cpp)
    target_include_directories(${provider} PRIVATE ${PROJECT_SOURCE_DIR})
    if(kind STREQUAL "std")
      target_precompile_headers(${provider} PRIVATE ${DUPLEXION_PCH_STD})
    elseif(kind STREQUAL "registry")
      target_precompile_headers(${provider} PRIVATE ${DUPLEXION_PCH_STD} [["platform/classes/typinfo.h"]])
    else()
      message(FATAL_ERROR "unknown precompiled header ${kind}")
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${provider})
endfunction()

# One static library per folder: every .cpp in the folder belongs to it.
# Includes are written from the tree's root: #include "platform/rtl/types.h".
# A folder without sources yet becomes an interface library, so the tree always configures.
function(duplexion_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
    if(name STREQUAL "platform_classes" OR name STREQUAL "platform_vcl")
      duplexion_pch(${name} registry)
    else()
      duplexion_pch(${name} std)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} ${ARG_PRIVATE_DEPS})
  endif()
endfunction()

# Test programs start once per test case: as position-dependent executables the
# loader has no relocations to apply to them, which halves a sanitized start-up.
function(duplexion_test_link name)
  target_link_options(${name} PRIVATE -no-pie)
endfunction()

# Registers a test program with ctest. Each case in a process of its own costs a
# sanitized start-up per case (most of a case's time), so by default a process
# runs one GoogleTest suite: the cases of a suite share a fixture class or a
# subject and always ran together when the program is run by hand. Configure
# with DUPLEXION_TEST_PER_CASE=ON to get a process per case, to find a case that
# depends on another's leftovers.
option(DUPLEXION_TEST_PER_CASE "One ctest test and process per GoogleTest case" OFF)
function(duplexion_register_tests name)
  cmake_parse_arguments(ARG "" "" "PROPERTIES" ${ARGN})
  if(DUPLEXION_TEST_PER_CASE)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES ${ARG_PROPERTIES})
    return()
  endif()
  set(props "")
  foreach(p IN LISTS ARG_PROPERTIES)
    string(APPEND props " [==[${p}]==]")
  endforeach()
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake")
  file(GENERATE OUTPUT "${script}" CONTENT
"set(DX_PROGRAM [==[${name}]==])
set(DX_EXE [==[$<TARGET_FILE:${name}>]==])
set(DX_WORKDIR [==[${CMAKE_CURRENT_BINARY_DIR}]==])
set(DX_PROPERTIES${props})
include([==[${PROJECT_SOURCE_DIR}/cmake/GTestSuites.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()

# One test program per layer folder, every *.cpp in tests/<folder>.
set(DUPLEXION_SHARED_TESTDATA "${PROJECT_SOURCE_DIR}/../shared/testdata" CACHE PATH
    "Real sample files; tests that need them skip when absent")
function(duplexion_test_program name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} duplexion_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  duplexion_pch(${name} std)
  duplexion_test_link(${name})
  duplexion_register_tests(${name})
endfunction()
