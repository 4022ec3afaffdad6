; The Lumeko installer: both effect DLLs (for 64-bit and 32-bit players),
; registered for the whole machine, and the lumeko tool that opens the
; settings page without the player. Built by the "installer" target of the
; 64-bit build; silent with /S (uninstaller too).
;   makensis -DDLL64=... -DDLL32=... -DTOOL=... -DOUTFILE=... lumeko.nsi
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!ifndef VERSION
  !define VERSION "2.5.8"
!endif

Name "Lumeko ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Lumeko"
InstallDirRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumeko" "InstallLocation"
ShowInstDetails show

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumeko"
!include LogicLib.nsh

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Registers one DLL with the given regsvr32; a failure to register ends the
; installation, a regsvr32 that cannot even start (a Windows that runs no
; 32-bit programs) only leaves that DLL unregistered.
!macro Register REGSVR DLL REQUIRED
  ClearErrors
  ExecWait '"${REGSVR}" /s "${DLL}"' $0
  ${If} ${Errors}
    ${If} ${REQUIRED} == 1
      SetErrorLevel 2
      Abort "Cannot start ${REGSVR}."
    ${EndIf}
    DetailPrint "Not registered (this Windows cannot run ${REGSVR}): ${DLL}"
  ${ElseIf} $0 != 0
    SetErrorLevel 2
    Abort "Registering ${DLL} failed (regsvr32 answered $0)."
  ${Else}
    DetailPrint "Registered ${DLL}"
  ${EndIf}
!macroend

Section "Lumeko"
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "/oname=VizLumeko.dll" "${DLL64}"
  File "/oname=lumeko.exe" "${TOOL}"
  SetOutPath "$INSTDIR\x86"
  File "/oname=VizLumeko.dll" "${DLL32}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  !insertmacro Register "$WINDIR\System32\regsvr32.exe" "$INSTDIR\VizLumeko.dll" 1
  !insertmacro Register "$WINDIR\SysWOW64\regsvr32.exe" "$INSTDIR\x86\VizLumeko.dll" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Lumeko"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; Offer the settings page (not in a silent installation).
  IfSilent done
  MessageBox MB_YESNO|MB_ICONQUESTION "Lumeko is installed. Choose it among the player's visualizations.$\r$\n$\r$\nOpen Lumeko's settings now?" IDNO done
  Exec '"$INSTDIR\lumeko.exe" settings --dialog'
  done:
SectionEnd

Section "Uninstall"
  SetRegView 64
  ; Unregistering also takes the settings and colour schemes of the user who
  ; uninstalls, as the effect's own unregistration does.
  ClearErrors
  ExecWait '"$WINDIR\System32\regsvr32.exe" /s /u "$INSTDIR\VizLumeko.dll"' $0
  ClearErrors
  ExecWait '"$WINDIR\SysWOW64\regsvr32.exe" /s /u "$INSTDIR\x86\VizLumeko.dll"' $0
  Delete "$INSTDIR\VizLumeko.dll"
  Delete "$INSTDIR\lumeko.exe"
  Delete "$INSTDIR\x86\VizLumeko.dll"
  RMDir "$INSTDIR\x86"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
