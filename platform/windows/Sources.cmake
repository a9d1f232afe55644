target_sources(vollmark_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Win32Calls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Layer.cpp)
target_include_directories(vollmark_platform PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(vollmark_platform PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
