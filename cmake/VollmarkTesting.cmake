include(GoogleTest)
include(VollmarkWine)

# vollmark_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>]
#                   [ENVIRONMENT <VAR=value...>] [TIMEOUT <seconds>])
# One GoogleTest executable whose cases CTest lists one by one, so that a skipped case shows as
# skipped instead of hiding inside a passing program. Parameterized cases keep their index or
# given name: a printed parameter can hold addresses, which would rename the case every run.
#
# Cross-built cases run through CMAKE_CROSSCOMPILING_EMULATOR (wine). Their list is taken when
# ctest starts rather than after the build: listing under wine needs a prefix, and the build
# must not depend on one. Every one of them runs in the C locale, because wine keeps the user's
# number format in the prefix's registry, which all processes of a prefix share: a case started
# in another locale would rewrite the separators the others read.
function(vollmark_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main vollmark_compile_flags)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()

    set(environment ${ARG_ENVIRONMENT})
    set(discovery POST_BUILD)
    set(properties TIMEOUT ${ARG_TIMEOUT})
    if(CMAKE_CROSSCOMPILING_EMULATOR)
        list(PREPEND environment LC_ALL=C.UTF-8)
        set(discovery PRE_TEST)
        list(APPEND properties FIXTURES_REQUIRED wine_prefix)
    endif()
    if(ARG_LABELS)
        string(REPLACE ";" "\\;" labels "${ARG_LABELS}")
        list(APPEND properties LABELS "${labels}")
    endif()
    # The discovered cases get their properties through layers of list expansion that split an
    # ENVIRONMENT list apart, so the variables are set by the command that starts each case.
    set(launcher)
    if(environment)
        set(launcher ${CMAKE_COMMAND} -E env ${environment})
    endif()
    list(APPEND launcher ${CMAKE_CROSSCOMPILING_EMULATOR})
    if(launcher)
        set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR "${launcher}")
    endif()

    gtest_discover_tests(${name}
        TEST_PREFIX ${name}.
        EXTRA_ARGS --gtest_color=no
        DISCOVERY_MODE ${discovery}
        DISCOVERY_TIMEOUT 120
        NO_PRETTY_VALUES
        PROPERTIES ${properties})
endfunction()
