; The Windows installer of Velquor: a 64-bit setup.exe with German pages that installs for all
; users into Program Files, adds a Start menu entry and an entry among the installed programs,
; and an uninstaller that removes exactly the files it installed.
;
; packaging/make-installer.sh runs makensis with these defines:
;   VERSION        the version, four numbers (1.7.0.2)
;   STAGE          the folder with the files to install
;   FILES          an include with the install (File) and uninstall (Delete) lists of STAGE
;   SIZE_KB        what the installed files take, for the installed-programs list
;   OUTFILE        the setup.exe to write
;   ICON           the program's icon, for setup.exe and uninst.exe
;   SIGN           (optional) a command that signs the file named by %1 in place

Unicode true
Target amd64-unicode
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include WinVer.nsh

!define PRODUCT "Velquor"
!define MAKER "Morvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninst.exe"
!define START_MENU_LINK "$SMPROGRAMS\${PRODUCT}.lnk"

!ifdef SIGN
  ; The uninstaller is written into setup.exe, so it is signed before it goes in.
  !uninstfinalize '${SIGN} "%1"'
  !finalize '${SIGN} "%1"'
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${MAKER}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright © ${MAKER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent installiert ${PRODUCT} ${VERSION} auf Ihrem \
  Computer.$\r$\n$\r$\nSystemvoraussetzung: Windows 7 oder neuer, 64-Bit-Ausgabe.$\r$\n$\r$\n\
  Eine ältere Version von ${PRODUCT} wird dabei ersetzt; Ihre CD-Projekte bleiben, wo sie sind.\
  $\r$\n$\r$\nKlicken Sie auf Weiter, um fortzufahren."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

!include "${FILES}"

Function .onInit
  ; The program is built for 64-bit Windows 7 and later (_WIN32_WINNT 0x0601).
  ${IfNot} ${RunningX64}
  ${OrIfNot} ${AtLeastWin7}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} braucht Windows 7 oder neuer in der 64-Bit-Ausgabe. \
      Auf diesem Computer kann es nicht installiert werden." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
  ; An installed version is replaced where it is.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

; Runs the uninstaller of an installed version and waits for it: started without _?= it would
; copy itself away and return at once. Started with it, it cannot remove itself, so that is done
; here, and the folder goes when nothing else is left in it.
Function RemoveInstalledVersion
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\${UNINSTALLER}"
    Return
  ${EndIf}
  DetailPrint "Entferne die installierte Version aus $0"
  ExecWait '"$0\${UNINSTALLER}" /S _?=$0' $1
  ${If} $1 != 0
    MessageBox MB_OK|MB_ICONSTOP "Die installierte Version von ${PRODUCT} in $0 konnte nicht \
      entfernt werden (Fehler $1)." /SD IDOK
    Abort
  ${EndIf}
  Delete "$0\${UNINSTALLER}"
  RMDir "$0"
FunctionEnd

Section "${PRODUCT}"
  Call RemoveInstalledVersion
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  SetOutPath "$INSTDIR"  ; the link's working folder
  CreateShortCut "${START_MENU_LINK}" "$INSTDIR\velquor.exe" "" "$INSTDIR\velquor.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velquor.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; Only what the installer put there: the user's own files in the folder, if any, stay, and
; so does the folder with them.
Section "Uninstall"
  !insertmacro UninstallFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${START_MENU_LINK}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
