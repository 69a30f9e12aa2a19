; The Windows installer: both programs, the help page, README and licence in
; Program Files, a Start-menu entry for the dialog, and an uninstaller that
; Windows' list of programs knows. The settings each user's dialog stored in
; the registry are theirs and stay. Made by makensis from the files the zip
; holds (see CMakeLists.txt beside this):
;   makensis -DVERSION=1.0.4 -DSTAGE=folder -DOUTFILE=setup.exe murkwell.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Murkwell"

Name "Murkwell ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Murkwell"
RequestExecutionLevel admin

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Murkwell"
  SetOutPath "$INSTDIR"
  File "${STAGE}/Murkwell.exe"
  File "${STAGE}/murkwell-cli.exe"
  File "${STAGE}/help.html"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Murkwell.lnk" "$INSTDIR\Murkwell.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Murkwell"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Murkwell developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Murkwell.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Murkwell.lnk"
  Delete "$INSTDIR\Murkwell.exe"
  Delete "$INSTDIR\murkwell-cli.exe"
  Delete "$INSTDIR\help.html"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
