# vollmark_add_wine_prefix(<fixture> PREFIX <dir> [COPIES <dir>...] [PREPARE <command...>]
#                          [ENVIRONMENT <VAR=value...>])
# The wine prefix that a test run's cross-built programs run in, as the CTest fixture
# <fixture>: the test <fixture>_setup makes <dir> afresh, runs PREPARE with <dir> appended,
# copies the result to each of COPIES (for cases that need a prefix of their own, such as
# another locale), and leaves one wine server up in each for the whole run; <fixture>_stop ends
# them after the last case that requires the fixture, also when a case failed or timed out.
# Cases run with `cmake/wine-emulator.sh <dir> <program>` and FIXTURES_REQUIRED <fixture>;
# vollmark_add_test does both for the prefix of the toolchain, VOLLMARK_WINE_PREFIX, whose
# fixture is called wine_prefix.
# Wine's services start in the set-up's environment, and the mount manager among them reads the
# drive labels in its character set: ENVIRONMENT defaults to LC_ALL=C.UTF-8, the locale of
# vollmark_add_test's cases, so that the labels do not depend on the caller's locale.
set(VOLLMARK_WINE_PREFIX_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh)

function(vollmark_add_wine_prefix fixture)
    cmake_parse_arguments(ARG "" "PREFIX" "COPIES;PREPARE;ENVIRONMENT" ${ARGN})
    if(NOT ARG_PREFIX)
        message(FATAL_ERROR "vollmark_add_wine_prefix(${fixture}): PREFIX is missing")
    endif()
    if(NOT ARG_ENVIRONMENT)
        set(ARG_ENVIRONMENT LC_ALL=C.UTF-8)
    endif()
    set(prepare)
    if(ARG_PREPARE)
        set(prepare -- ${ARG_PREPARE})
    endif()
    add_test(NAME ${fixture}_setup
        COMMAND bash ${VOLLMARK_WINE_PREFIX_SCRIPT} start ${ARG_PREFIX} ${ARG_COPIES} ${prepare})
    set_tests_properties(${fixture}_setup PROPERTIES
        FIXTURES_SETUP ${fixture} TIMEOUT 180 ENVIRONMENT "${ARG_ENVIRONMENT}")
    add_test(NAME ${fixture}_stop
        COMMAND bash ${VOLLMARK_WINE_PREFIX_SCRIPT} stop ${ARG_PREFIX} ${ARG_COPIES})
    set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} TIMEOUT 60)
endfunction()
