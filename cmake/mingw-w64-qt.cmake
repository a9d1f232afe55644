# The `windows` preset: the mingw-w64 cross-build of cmake/mingw-w64.cmake plus the static Qt
# that tools/build-mingw-qt.sh builds from Debian's sources, with Debian's host Qt tools.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

if(NOT VOLLMARK_MINGW_QT)
    execute_process(
        COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/../tools/build-mingw-qt.sh --prefix
        OUTPUT_VARIABLE VOLLMARK_MINGW_QT OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endif()
if(NOT EXISTS ${VOLLMARK_MINGW_QT}/.complete)
    message(FATAL_ERROR "No Qt for mingw in ${VOLLMARK_MINGW_QT}: run tools/build-mingw-qt.sh")
endif()
set(VOLLMARK_MINGW_QT ${VOLLMARK_MINGW_QT} CACHE PATH "The static Qt for mingw-w64")
list(APPEND CMAKE_FIND_ROOT_PATH ${VOLLMARK_MINGW_QT})
list(APPEND CMAKE_PREFIX_PATH ${VOLLMARK_MINGW_QT})

execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH
    OUTPUT_VARIABLE vollmark_host_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${vollmark_host_multiarch}/cmake CACHE PATH "")
