# Run after each test executable is built: lists its test suites (the
# fixtures and the plain TEST groups, with the prefixes of parameterised
# ones) into OUT as the list VT_SUITES, which the CTest include file of the
# executable turns into one CTest test per suite.
# Arguments: -D EXE=<executable> -D OUT=<file>
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
          ASAN_OPTIONS=detect_leaks=0 ${EXE} --gtest_list_tests
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${result}):\n${listing}${errors}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(suites)
foreach(line IN LISTS lines)
  # "Suite." or "Prefix/Suite/0.  # TypeParam = ..."; the cases are indented.
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.(  #.*)?$")
    list(APPEND suites "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT suites)
  message(FATAL_ERROR "${EXE} lists no tests:\n${listing}")
endif()
file(WRITE "${OUT}" "set(VT_SUITES \"${suites}\")\n")
