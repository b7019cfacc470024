; Per-user installer: no administrator rights, Start-menu shortcut, an
; uninstaller that removes the program and, when asked, its settings.
; makensis -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> -DVERSION=x.y.z.w tapwell.nsi
; The program is x64 only, and so is its installer.
Target amd64-unicode
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!insertmacro un.GetOptions
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef STAGE
  !error "STAGE must name the folder of files to install"
!endif
!ifndef OUTFILE
  !define OUTFILE "tapwell-setup.exe"
!endif
!ifndef VERSION
  !define VERSION "0.0.0.0"
!endif

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tapwell"
!define SETTINGS_KEY "Software\Brelvane\TAPWELL"

Name "tapwell"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\tapwell"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "tapwell"
VIAddVersionKey /LANG=0 "FileDescription" "tapwell setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

LangString RemoveSettings 1033 "Also remove tapwell's settings from the registry?"
LangString RemoveSettings 1041 "レジストリの tapwell の設定も削除しますか?"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"

Section "tapwell"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\tapwell.lnk" "$INSTDIR\tapwell.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "tapwell"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "tapwell developers"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tapwell.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\tapwell.lnk"
  Delete "$INSTDIR\tapwell.exe"
  Delete "$INSTDIR\tapwell-cli.exe"
  Delete "$INSTDIR\tapwell.chm"
  Delete "$INSTDIR\readme_en.txt"
  Delete "$INSTDIR\readme_ja.txt"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\examples"
  Delete "$INSTDIR\uninstall.exe"
  ; tapwell.ini may hold settings the user wants to keep: the folder stays
  ; when anything other than our files is left in it.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
  ; Silent uninstalls keep the settings unless /REMOVESETTINGS is given.
  ${If} ${Silent}
    ClearErrors
    ${GetOptions} $CMDLINE "/REMOVESETTINGS" $0
    ${IfNot} ${Errors}
      DeleteRegKey HKCU "${SETTINGS_KEY}"
    ${EndIf}
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION "$(RemoveSettings)" IDNO keep
      DeleteRegKey HKCU "${SETTINGS_KEY}"
    keep:
  ${EndIf}
SectionEnd
