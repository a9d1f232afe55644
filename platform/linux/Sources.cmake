target_sources(vollmark_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/LinuxLayer.cpp)
