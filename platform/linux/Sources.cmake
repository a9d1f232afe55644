target_sources(vollmark_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DeviceInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DriveLetters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinuxLayer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MountFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MountInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberLocale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixIo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StuckHelpers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimedStatvfs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VolumeFlags.cpp)
