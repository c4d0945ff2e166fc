# CTest support for running the cross-built Windows programs under Wine.
#
# All tests of a build tree share one private Wine prefix, <build>/wineprefix.
# Tests that run Windows programs should use
#
#   set_tests_properties(<test> PROPERTIES
#     FIXTURES_REQUIRED wine_prefix
#     ENVIRONMENT "${NODEXA_WINE_ENV}")
#
# and nodexa_wine_fixture() must be called once to add the fixture's setup
# (creates the prefix up front; the first Wine start takes 10-20 s) and
# cleanup (waits for the prefix's wineserver to exit, so no Wine processes
# outlive the test run).

set(NODEXA_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(NODEXA_WINE_ENV "NODEXA_WINEPREFIX=${NODEXA_WINE_PREFIX}")
# Kept globally so the function works from any directory.
set_property(GLOBAL PROPERTY NODEXA_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")

function(nodexa_wine_fixture)
  get_property(added GLOBAL PROPERTY NODEXA_WINE_FIXTURE_ADDED)
  if(added)
    return()
  endif()
  set_property(GLOBAL PROPERTY NODEXA_WINE_FIXTURE_ADDED TRUE)
  get_property(wine_run GLOBAL PROPERTY NODEXA_WINE_RUN)
  set(env "NODEXA_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")

  add_test(NAME wine_prefix_setup COMMAND "${wine_run}" --init)
  set_tests_properties(wine_prefix_setup PROPERTIES
    FIXTURES_SETUP wine_prefix
    ENVIRONMENT "${env}"
    TIMEOUT 300)

  add_test(NAME wine_prefix_cleanup COMMAND "${wine_run}" --wait-server)
  set_tests_properties(wine_prefix_cleanup PROPERTIES
    FIXTURES_CLEANUP wine_prefix
    ENVIRONMENT "${env}"
    TIMEOUT 120)

  set(NODEXA_WINE_ENV "${env}" PARENT_SCOPE)
endfunction()
