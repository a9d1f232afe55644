# The Windows installer: `cmake --build build/windows --target package` writes
# vollmark-<version>-win64.exe with CPack's NSIS generator (Debian: nsis). It installs the
# programs for every user into Program Files, or with /CurrentUser for the user alone, without
# administrator rights (install-mode.nsh), adds a Start-menu entry with the program's icon and an
# uninstaller that is listed among the installed programs. /S installs and uninstalls without a
# question.
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
!define VOLLMARK_REGISTRY_KEY ${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}
!define VOLLMARK_UNINSTALLER Uninstall
!include \"${CMAKE_CURRENT_LIST_DIR}/install-mode.nsh\"
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd")

# CPack's template installs for every user only, and asks for administrator rights up front. Its
# copy here asks for none and lets install-mode.nsh choose, in .onInit and un.onInit, whom the
# install is for; CPack takes templates from CPACK_MODULE_PATH before its own.
set(vollmark_nsis_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${vollmark_nsis_template} vollmark_nsis)
function(vollmark_nsis_replace old new)
    string(FIND "${vollmark_nsis}" "${old}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${vollmark_nsis_template} has changed: no '${old}' in it")
    endif()
    string(REPLACE "${old}" "${new}" replaced "${vollmark_nsis}")
    set(vollmark_nsis "${replaced}" PARENT_SCOPE)
endfunction()
# The text from `from` up to `to` (kept) becomes `new`.
function(vollmark_nsis_replace_span from to new)
    string(FIND "${vollmark_nsis}" "${from}" begin)
    string(FIND "${vollmark_nsis}" "${to}" end)
    if(begin EQUAL -1 OR end LESS begin)
        message(FATAL_ERROR "${vollmark_nsis_template} has changed: no '${from}' before '${to}'")
    endif()
    string(SUBSTRING "${vollmark_nsis}" 0 ${begin} head)
    string(SUBSTRING "${vollmark_nsis}" ${end} -1 tail)
    set(vollmark_nsis "${head}${new}${tail}" PARENT_SCOPE)
endfunction()
vollmark_nsis_replace("RequestExecutionLevel admin" "RequestExecutionLevel user")
vollmark_nsis_replace("Function .onInit\n" "Function .onInit\n  Call VollmarkChooseInstallMode\n")
set(uninstall_entry
    "\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"")
vollmark_nsis_replace("ReadRegStr $0 HKLM ${uninstall_entry}" "ReadRegStr $0 SHCTX ${uninstall_entry}")
vollmark_nsis_replace_span("  StrCpy $SV_ALLUSERS \"JustMe\""
    "  StrCmp \"@CPACK_NSIS_MODIFY_PATH@\" \"ON\" 0 noOptionsPage"
    "  Call VollmarkChooseInstallDirectory\n\n")
vollmark_nsis_replace_span("Function un.onInit\n" ";--- Add/Remove callback functions"
    "Function un.onInit\n  Call un.VollmarkChooseInstallMode\nFunctionEnd\n\n")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in "${vollmark_nsis}")
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)

include(CPack)
