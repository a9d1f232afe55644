# The Debian package: `cmake --build <dir> --target package` writes vollmark_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vollmark)
set(CPACK_PACKAGE_VENDOR "The Vollmark developers")
set(CPACK_PACKAGE_CONTACT "The Vollmark developers <maintainers@vollmark.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows how full the drives are, in one narrow window")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vollmark.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The row layout is measured for Tahoma's narrow figures; Fonts.cpp registers wine's copy
# when the font configuration has no Tahoma.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wine)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary on the first line and indents this below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vollmark shows one row per drive letter with its label, file system and
type, the total, free and used capacity, a usage bar and the used
percentage, plus summary rows for the local fixed drives and the network
drives. On Linux, mounted file systems get drive letters of their own.
.
The package also holds vollmark-drives, which prints the same list as a
table or as JSON for scripts.")

include(CPack)
