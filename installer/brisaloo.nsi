; SPDX-License-Identifier: GPL-3.0-or-later
; The per-user installer: no administrator prompt, everything under the
; user's own folders and registry. Built by the package step of the Windows
; build (cmake/InstallWindows.cmake), which passes:
;   VERSION  the program's version       STAGE  the folder with the files
;   OUTFILE  the installer to write      ICON   the program's icon
Unicode True
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisaloo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Brisaloo"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Brisaloo"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Brisaloo"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Brisaloo Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Licence: GPL-3.0-or-later"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Brisaloo"
  SetOutPath "$INSTDIR"
  File "${STAGE}\brisaloo.exe"
  File "${STAGE}\brisaloo-trivia.exe"
  File "${STAGE}\triv.dat"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Brisaloo.lnk" "$INSTDIR\brisaloo.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brisaloo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Brisaloo developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brisaloo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Takes away what the installer put there and the autostart value; the
; user's notes and settings stay (a notes.dat beside the program keeps the
; folder).
Section "Uninstall"
  Delete "$INSTDIR\brisaloo.exe"
  Delete "$INSTDIR\brisaloo-trivia.exe"
  Delete "$INSTDIR\triv.dat"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Brisaloo.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "Brisaloo"
SectionEnd
