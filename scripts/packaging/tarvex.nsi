; Tarvex for one user: installs under the user's own profile and HKCU, so it
; needs no administrator rights. Built by the Windows build's `dist` target:
;   makensis -DVERSION=x.y.z -DSTAGE=<installed files> -DSOURCE=<source tree>
;            -DOUTFILE=<setup.exe> tarvex.nsi
; Silent: setup.exe /S (and /D=FOLDER for another folder). The uninstaller
; keeps the program's settings unless the user asks for them to go (in silent
; mode: uninstall.exe /S /RemoveSettings).

; A 64-bit installer for a 64-bit program; Unicode, for any user or folder name.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PUBLISHER "The Tarvex developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex"
!define CLASSES "Software\Classes"
!define PROGID "Tarvex.Subtitle"
!define SETTINGS_PARENT "Software\VB and VBA Program Settings"
!define SETTINGS_KEY "${SETTINGS_PARENT}\tarvex"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Tarvex ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tarvex"
; Installing again (a newer version) goes where the last one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tarvex ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tarvex"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Tarvex ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${PUBLISHER}"

!define MUI_ICON "${SOURCE}/app/win/res/tarvex.ico"
!define MUI_UNICON "${SOURCE}/app/win/res/tarvex.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvex.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tarvex"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The one command that opens a file in Tarvex, for every way the shell uses.
!define OPEN_COMMAND '"$INSTDIR\tarvex.exe" "%1"'

Section "Tarvex"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/tarvex.exe"
  File "${STAGE}/tarvex-cli.exe"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tarvex.lnk" "$INSTDIR\tarvex.exe" "" "$INSTDIR\tarvex.exe" 0 SW_SHOWNORMAL "" \
    "Shift and translate subtitle files"

  ; "Open with" for .srt, .txt, .vtt, .ass and .ssa: a class of Tarvex's own,
  ; listed among each extension's OpenWithProgids. The extensions' default program stays
  ; whatever the user had chosen.
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Subtitle file"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\tarvex.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open" "FriendlyAppName" "Tarvex"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr HKCU "${CLASSES}\.srt\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\.txt\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\.vtt\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\.ass\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\.ssa\OpenWithProgids" "${PROGID}" ""
  ; The name "Open with" shows, and the types Tarvex takes.
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe" "FriendlyAppName" "Tarvex"
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe\SupportedTypes" ".srt" ""
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe\SupportedTypes" ".txt" ""
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe\SupportedTypes" ".vtt" ""
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe\SupportedTypes" ".ass" ""
  WriteRegStr HKCU "${CLASSES}\Applications\tarvex.exe\SupportedTypes" ".ssa" ""
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  ; Apps & features.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tarvex"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvex.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Var RemoveSettings

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

; Takes Tarvex off one extension's "Open with", and the keys only it held.
!macro RemoveOpenWith EXT
  DeleteRegValue HKCU "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\${EXT}\OpenWithProgids"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\${EXT}"
!macroend

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Tarvex.lnk"

  ; Only what was added: another program's entries under the same
  ; extensions stay, and so does an extension key that holds anything else.
  !insertmacro RemoveOpenWith ".srt"
  !insertmacro RemoveOpenWith ".txt"
  !insertmacro RemoveOpenWith ".vtt"
  !insertmacro RemoveOpenWith ".ass"
  !insertmacro RemoveOpenWith ".ssa"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegKey HKCU "${CLASSES}\Applications\tarvex.exe"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\Applications"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  Delete "$INSTDIR\tarvex.exe"
  Delete "$INSTDIR\tarvex-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The per-user programs folder goes too when nothing else is in it.
  RMDir "$LOCALAPPDATA\Programs"

  ${If} $RemoveSettings != 1
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Remove your Tarvex settings too (the last folder, the languages and the page shown)?" \
      /SD IDNO IDNO keepSettings
    StrCpy $RemoveSettings 1
  ${EndIf}
  keepSettings:
  ${If} $RemoveSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${SETTINGS_PARENT}"
  ${EndIf}
SectionEnd
