# Included by ctest for one test program (DX_PROGRAM at DX_EXE, extra test
# properties in DX_PROPERTIES): registers one test per GoogleTest suite, which
# runs that suite's cases in one process. A failure still names its case: the
# output shows "[ RUN ]" and "[  FAILED  ]" with Suite.Case, and a crash stops
# right after the "[ RUN ]" line of the case that crashed.
if(NOT EXISTS "${DX_EXE}")
  add_test("${DX_PROGRAM}_NOT_BUILT" "${DX_EXE}")
  return()
endif()
execute_process(COMMAND "${DX_EXE}" --gtest_list_tests
                OUTPUT_VARIABLE listing ERROR_VARIABLE listing_err RESULT_VARIABLE listed TIMEOUT 120)
if(NOT listed EQUAL 0)
  # Registered so that the run fails and shows why the listing did.
  add_test("${DX_PROGRAM}_CANNOT_LIST" "${DX_EXE}" --gtest_list_tests)
  return()
endif()
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  # Suite lines end with a dot (and a comment for typed suites); case lines are indented.
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.( +#.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    if(NOT suite MATCHES "(^|/)DISABLED_")
      add_test("${suite}.*" "${DX_EXE}" "--gtest_filter=${suite}.*")
      set_tests_properties("${suite}.*" PROPERTIES WORKING_DIRECTORY "${DX_WORKDIR}" ${DX_PROPERTIES})
    endif()
  endif()
endforeach()
