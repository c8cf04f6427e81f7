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

ManifestDPIAware true

!include FileFunc.nsh
!include LogicLib.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisaloo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The class of every running copy's main window (src/win/SingleInstance.h).
!define WINDOW_CLASS "Brisaloo"
; How long a copy may take to end after it was asked to (notes saved first).
!define END_WAIT_MS 15000

Name "Brisaloo"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Brisaloo"
; An upgrade goes where the first install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

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

Var WasRunning  ; 1 when a copy was running, 2 when only hidden ones were
Var Window
Var ProcessId
Var Process
Var Waited

; Asks every running copy to end as its close box would (WM_CLOSE: a pending
; note edit is saved) and waits for each process to end, so that its files
; can be replaced. A copy that does not end in time: the user may close it
; and retry, or cancel; a silent run aborts (exit code 2) before it changed
; anything.
!macro EndRunningCopies un
Function ${un}EndRunningCopies
  StrCpy $WasRunning 0
  again:
    FindWindow $Window "${WINDOW_CLASS}"
    ${If} $Window == 0
      Return
    ${EndIf}
    System::Call 'user32::IsWindowVisible(p $Window) i .r0'
    ${If} $0 <> 0
      StrCpy $WasRunning 1
    ${ElseIf} $WasRunning == 0
      StrCpy $WasRunning 2
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p $Window, *i .r1)'
    StrCpy $ProcessId $1
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i $ProcessId) p .r2'
    StrCpy $Process $2
    System::Call 'user32::PostMessageW(p $Window, i ${WM_CLOSE}, p 0, p 0)'
    System::Call 'kernel32::WaitForSingleObject(p $Process, i ${END_WAIT_MS}) i .r3'
    StrCpy $Waited $3
    System::Call 'kernel32::CloseHandle(p $Process)'
    ${If} $Waited == 0
      Goto again
    ${EndIf}
    IfSilent 0 ask
      SetErrorLevel 2
      Quit
    ask:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Brisaloo is still running and did not close when asked.$\r$\n$\r$\nClose it (Exit in its tray menu), then choose Retry." \
      /SD IDCANCEL IDRETRY again
    SetErrorLevel 1
    Quit
FunctionEnd
!macroend
!insertmacro EndRunningCopies ""
!insertmacro EndRunningCopies "un."

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Brisaloo"
  Call EndRunningCopies
  SetOutPath "$INSTDIR"
  File "${STAGE}\brisaloo.exe"
  File "${STAGE}\brisaloo.com"
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

  ; A copy that was running runs again, from the new program, as it was:
  ; shown, or hidden in the tray.
  ${If} $WasRunning == 1
    Exec '"$INSTDIR\brisaloo.exe"'
  ${ElseIf} $WasRunning == 2
    Exec '"$INSTDIR\brisaloo.exe" --hidden'
  ${EndIf}
SectionEnd

; Takes away what the installer put there and the autostart value; the
; user's notes and settings stay (a notes.dat beside the program keeps the
; folder).
Section "Uninstall"
  Call un.EndRunningCopies
  Delete "$INSTDIR\brisaloo.exe"
  Delete "$INSTDIR\brisaloo.com"
  Delete "$INSTDIR\brisaloo-trivia.exe"
  Delete "$INSTDIR\triv.dat"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Brisaloo.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "Brisaloo"
SectionEnd
