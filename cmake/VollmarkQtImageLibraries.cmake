# PNG::PNG, JPEG::JPEG and ZLIB::ZLIB for the Windows build: the copies of libpng and libjpeg that the static
# Qt of tools/build-mingw-qt.sh carries, so the program decodes with the very code QtGui links
# (one definition of each symbol in the executable) and nothing comes from outside Debian's
# sources. Their zlib is Qt's own, built into QtCore with z_-prefixed names.
# VOLLMARK_MINGW_QT comes from the toolchain file, cmake/mingw-w64-qt.cmake.
set(vollmark_qt_lib_dir ${VOLLMARK_MINGW_QT}/lib)
set(vollmark_qt_3rdparty_headers ${VOLLMARK_MINGW_QT}/include/vollmark-3rdparty)

foreach(library IN ITEMS PNG JPEG)
    if(library STREQUAL PNG)
        set(archive ${vollmark_qt_lib_dir}/libQt6BundledLibpng.a)
    else()
        set(archive ${vollmark_qt_lib_dir}/libQt6BundledLibjpeg.a)
    endif()
    if(NOT EXISTS ${archive} OR NOT EXISTS ${vollmark_qt_3rdparty_headers})
        message(FATAL_ERROR "${archive} or its headers are missing: rebuild with tools/build-mingw-qt.sh")
    endif()
    add_library(${library}::${library} STATIC IMPORTED)
    set_target_properties(${library}::${library} PROPERTIES
        IMPORTED_LOCATION ${archive}
        INTERFACE_INCLUDE_DIRECTORIES ${vollmark_qt_3rdparty_headers}
        INTERFACE_LINK_LIBRARIES Qt6::Core)
endforeach()

# ZLIB::ZLIB (the PNG chunk checks call crc32): Qt's bundled zlib, whose header renames every
# symbol to the z_-prefixed one QtCore carries.
if(NOT EXISTS ${vollmark_qt_lib_dir}/libQt6BundledZLIB.a OR NOT EXISTS ${VOLLMARK_MINGW_QT}/include/QtZlib/zlib.h)
    message(FATAL_ERROR "Qt's bundled zlib is missing in ${VOLLMARK_MINGW_QT}: rebuild with tools/build-mingw-qt.sh")
endif()
add_library(ZLIB::ZLIB STATIC IMPORTED)
set_target_properties(ZLIB::ZLIB PROPERTIES
    IMPORTED_LOCATION ${vollmark_qt_lib_dir}/libQt6BundledZLIB.a
    INTERFACE_INCLUDE_DIRECTORIES ${VOLLMARK_MINGW_QT}/include/QtZlib
    INTERFACE_LINK_LIBRARIES Qt6::Core)
