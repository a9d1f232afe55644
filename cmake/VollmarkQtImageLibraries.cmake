# PNG::PNG, JPEG::JPEG and ZLIB::ZLIB for the Windows build: the copies of libpng and libjpeg that the static
# Qt of tools/build-mingw-qt.sh carries, so the program decodes with the very code QtGui links
# (one definition of each symbol in the executable) and nothing comes from outside Debian's
# sources. Their zlib is Qt's own, built into QtCore with z_-prefixed names.
# VOLLMARK_MINGW_QT comes from the toolchain file, cmake/mingw-w64-qt.cmake.
set(vollmark_qt_lib_dir ${VOLLMARK_MINGW_QT}/lib)
set(vollmark_qt_include_dir ${VOLLMARK_MINGW_QT}/include)

# Each as <target>:<archive>:<header folder>. The PNG chunk checks call zlib's crc32; Qt's zlib
# header renames every symbol to the z_-prefixed one QtCore carries.
foreach(entry IN ITEMS
        PNG:libQt6BundledLibpng.a:vollmark-3rdparty
        JPEG:libQt6BundledLibjpeg.a:vollmark-3rdparty
        ZLIB:libQt6BundledZLIB.a:QtZlib)
    string(REPLACE ":" ";" entry ${entry})
    list(GET entry 0 library)
    list(GET entry 1 archive)
    list(GET entry 2 headers)
    set(archive ${vollmark_qt_lib_dir}/${archive})
    set(headers ${vollmark_qt_include_dir}/${headers})
    if(NOT EXISTS ${archive} OR NOT EXISTS ${headers})
        message(FATAL_ERROR "${archive} or its headers are missing: rebuild with tools/build-mingw-qt.sh")
    endif()
    add_library(${library}::${library} STATIC IMPORTED)
    set_target_properties(${library}::${library} PROPERTIES
        IMPORTED_LOCATION ${archive}
        INTERFACE_INCLUDE_DIRECTORIES ${headers}
        INTERFACE_LINK_LIBRARIES Qt6::Core)
endforeach()
