; Who the installer installs for.
;   /CurrentUser         the user alone: into %LOCALAPPDATA%\Programs\Vollmark, with the entry in
;                        the user's own Start menu and the uninstaller listed among the user's
;                        installed programs (HKCU); no administrator rights.
;   /AllUsers, or none   every user, as before: into Program Files, with the common Start menu
;                        and HKLM, which takes administrator rights.
; The installer asks Windows for no rights of its own, so that the first needs none; the second,
; started without them, starts itself again through the "runas" verb (the elevation prompt) and
; ends with that run's exit code. The uninstaller undoes the install it belongs to: the user's
; own when the user's uninstall entry names it, else the one for every user.
; Needs VOLLMARK_REGISTRY_KEY (the uninstall entry's key) and VOLLMARK_UNINSTALLER (its file).

!include LogicLib.nsh
!include FileFunc.nsh

!define VOLLMARK_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${VOLLMARK_REGISTRY_KEY}"

Var VollmarkForAllUsers

!macro VollmarkRunElevatedFunction UN WHAT
; Declined or impossible: exit code 740, ERROR_ELEVATION_REQUIRED.
Function ${UN}VollmarkRunElevated
  ${GetParameters} $R9
  ; SHELLEXECUTEINFOW of 64-bit Windows (112 bytes): SEE_MASK_NOCLOSEPROCESS to wait for the
  ; process, SW_SHOWNORMAL; the zeros after nShow and dwHotKey align the pointers after them.
  System::Call '*(i 112, i 0x40, p $HWNDPARENT, w "runas", w "$EXEPATH", w "$R9", p 0, i 1, i 0, p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .R8'
  System::Call 'shell32::ShellExecuteExW(p R8) i .R7'
  ${If} $R7 = 0
    System::Free $R8
    MessageBox MB_OK|MB_ICONSTOP "${WHAT} for every user needs administrator rights." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
  System::Call '*$R8(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .R6)'
  System::Call 'kernel32::WaitForSingleObject(p R6, i -1) i'
  System::Call 'kernel32::GetExitCodeProcess(p R6, *i .R5) i'
  System::Call 'kernel32::CloseHandle(p R6) i'
  System::Free $R8
  SetErrorLevel $R5
  Quit
FunctionEnd
!macroend
!insertmacro VollmarkRunElevatedFunction "" "Installing"
!insertmacro VollmarkRunElevatedFunction "un." "Uninstalling"

; From .onInit, before anything reads or writes SHCTX, $SMPROGRAMS or $LOCALAPPDATA.
Function VollmarkChooseInstallMode
  ${GetParameters} $R9
  ClearErrors
  ${GetOptions} $R9 "/CurrentUser" $R8
  ${IfNot} ${Errors}
    StrCpy $VollmarkForAllUsers 0
    SetShellVarContext current
    Return
  ${EndIf}
  StrCpy $VollmarkForAllUsers 1
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $R8
  ${If} $R8 != "Admin"
    Call VollmarkRunElevated
  ${EndIf}
FunctionEnd

; From .onInit once it knows whether /D chose the folder.
Function VollmarkChooseInstallDirectory
  ${If} $VollmarkForAllUsers = 0
  ${AndIf} $IS_DEFAULT_INSTALLDIR = 1
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${VOLLMARK_REGISTRY_KEY}"
  ${EndIf}
FunctionEnd

Function un.VollmarkChooseInstallMode
  ReadRegStr $R8 HKCU "${VOLLMARK_UNINSTALL_KEY}" "UninstallString"
  ${If} $R8 == "$\"$INSTDIR\${VOLLMARK_UNINSTALLER}.exe$\""
    SetShellVarContext current
    Return
  ${EndIf}
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $R8
  ${If} $R8 != "Admin"
    Call un.VollmarkRunElevated
  ${EndIf}
FunctionEnd
