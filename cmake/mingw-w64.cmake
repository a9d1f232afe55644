# Cross-build for 64-bit Windows with Debian's mingw-w64 (posix thread model), tests run by wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOLLMARK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOLLMARK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOLLMARK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VOLLMARK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VOLLMARK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static: with only -static-libgcc/-static-libstdc++ the posix thread model still pulls in
# libwinpthread-1.dll, which wine cannot find next to the test executables.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian's wine64 package has no /usr/bin/wine; the wrapper finds the loader. Every build
# directory has its own prefix, which tests/windows makes afresh at the start of a test run.
set(VOLLMARK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh ${VOLLMARK_WINE_PREFIX})
