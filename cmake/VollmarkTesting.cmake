# vollmark_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>]
#                   [ENVIRONMENT <VAR=value...>] [TIMEOUT <seconds>])
# One GoogleTest executable registered as one CTest test. Cross-builds run it through
# CMAKE_CROSSCOMPILING_EMULATOR (wine), which add_test applies by itself.
function(vollmark_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main vollmark_warnings)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
    if(ARG_ENVIRONMENT)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
    # Cross-built tests run in the emulator's prefix, which tests/windows makes before them.
    if(CMAKE_CROSSCOMPILING_EMULATOR)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
    endif()
endfunction()
