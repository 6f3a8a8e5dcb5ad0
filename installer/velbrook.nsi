; The Velbrook setup. scripts/package passes VERSION (from the version block), EXE (the
; program file) and OUTFILE.
;   VelbrookSetup-<version>.exe [/S] [/AllUsers] [/D=<folder>]
; A per-user install by default, into the user's programs folder, with no elevation. Run
; elevated, it offers (or with /AllUsers takes) an install for every user of the machine.
; Settings live in the shared data folder, which the setup creates and the uninstaller
; leaves alone.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Velbrook"
!define COMPANY "Ombrel Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Icon "..\resources\pictures\velbrook.ico"
UninstallIcon "..\resources\pictures\velbrook.ico"
BrandingText "${COMPANY}"
ShowInstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT} Setup"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Var AllUsers

; The running process holds an administrator's token (elevated, where that applies).
!macro IsElevated RESULT
  UserInfo::GetAccountType
  Pop ${RESULT}
  ${If} ${RESULT} == "Admin"
    StrCpy ${RESULT} 1
  ${Else}
    StrCpy ${RESULT} 0
  ${EndIf}
!macroend

Function .onInit
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  !insertmacro IsElevated $R2
  ${If} $AllUsers == 1
  ${AndIf} $R2 == 0
    MessageBox MB_ICONSTOP "An install for all users needs administrator rights." /SD IDOK
    Abort
  ${EndIf}
  ${If} $AllUsers == 0
  ${AndIf} $R2 == 1
  ${AndIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION "Install ${PRODUCT} for all users of this computer?$\r$\n$\r$\nNo installs it for you alone." IDNO +2
    StrCpy $AllUsers 1
  ${EndIf}
  ; /D= has set the folder already when given.
  ${If} $INSTDIR == ""
    ${If} $AllUsers == 1
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Shortcuts and the uninstall entry (SHCTX) go to the user's or the machine's side.
!macro UseContext
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "/oname=${PRODUCT}.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The data folder the program looks in first: under the documents shared by all users.
  SetShellVarContext all
  CreateDirectory "$DOCUMENTS\Ombrel\${PRODUCT}"

  !insertmacro UseContext
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  ; Installed for all users when the machine's uninstall entry names this folder.
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    StrCpy $AllUsers 1
    !insertmacro IsElevated $R2
    ${If} $R2 == 0
      MessageBox MB_ICONSTOP "${PRODUCT} was installed for all users; removing it needs administrator rights." /SD IDOK
      Abort
    ${EndIf}
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
FunctionEnd

; Removes what the setup put there and nothing else: the settings in the data folder stay.
Section "Uninstall"
  !insertmacro UseContext
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${PRODUCT}.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
