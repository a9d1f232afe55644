# The Windows installer: `cmake --build build/windows --target package` writes
# vollmark-<version>-win64.exe with CPack's NSIS generator (Debian: nsis). It installs the
# programs into Program Files for every user (the installer asks for administrator rights, as
# CPack's template does), adds a Start-menu entry with the program's icon and an uninstaller
# that is listed among the installed programs. /S installs and uninstalls without a question.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../copyright DESTINATION . RENAME COPYRIGHT.txt)
# The programs carry Qt, libpng, libjpeg, zlib, FreeType, HarfBuzz, PCRE2 and double-conversion
# linked in; their licences go with them. The application's sources (MIT) are public, so Qt's
# LGPL holds: anyone can rebuild it with another Qt.
install(DIRECTORY ${VOLLMARK_MINGW_QT}/share/vollmark-licenses/ DESTINATION licenses)

set(CPACK_GENERATOR NSIS)
# The values below are NSIS text with backslashes and quotes, passed on as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME vollmark)
set(CPACK_PACKAGE_VENDOR "The Vollmark developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows how full the drives are, in one narrow window")
set(CPACK_PACKAGE_FILE_NAME vollmark-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Vollmark)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Vollmark)
set(CPACK_PACKAGE_EXECUTABLES vollmark Vollmark)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/../copyright)
set(CPACK_STRIP_FILES ON)

set(vollmark_icon ${CMAKE_CURRENT_LIST_DIR}/../icons/windows/${VOLLMARK_APP_ID}.ico)
set(CPACK_NSIS_MUI_ICON ${vollmark_icon})
set(CPACK_NSIS_MUI_UNIICON ${vollmark_icon})
set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\vollmark.exe)
set(CPACK_NSIS_PACKAGE_NAME Vollmark)
set(CPACK_NSIS_DISPLAY_NAME "Vollmark ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_URL_INFO_ABOUT https://vollmark.org/)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# A 64-bit installer for 64-bit programs: NSIS's default 32-bit one would need a 32-bit
# Windows layer (wine32) besides, and would see Program Files (x86) as its folder. CPack's
# uninstaller removes the program's key under the vendor's, but not the vendor's, which is then
# empty; that goes once the uninstall has succeeded.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd")

include(CPack)
