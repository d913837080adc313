; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer, made by scripts/windows.sh:
;   makensis -DVERSION=1.3.9 -DSTAGE=DIR -DNSIS=DIR2 -DSIZE_KB=N -DOUTFILE=FILE sonarix.nsi
; DIR holds what goes into the program's folder; DIR2 the icon, and files.nsh / unfiles.nsh, which
; install and remove exactly those files (an uninstall touches nothing else in that folder).

; For all users, into Program Files; a Start-menu entry; an uninstaller; .dic files open with
; Sonarix when no other program claims them, and Sonarix is offered under "Open with" either way.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Sonarix"
!define PROGID "Sonarix.Dictionary"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonarix"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "Orvandel"
VIAddVersionKey /LANG=0 "LegalCopyright" "Orvandel; GNU General Public License 3 or later"

!define MUI_ICON "${NSIS}\sonarix.ico"
!define MUI_UNICON "${NSIS}\sonarix.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\sonarix.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\COPYING.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The program speaks Estonian; Windows in any other language gets English.
!insertmacro MUI_LANGUAGE "Estonian"
!insertmacro MUI_LANGUAGE "English"

Section "Sonarix"
  SetRegView 64
  SetShellVarContext all
  !include "${NSIS}\files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Started from the menu, the program works in its own folder, as when started from Explorer.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\sonarix.exe" "" "$INSTDIR\sonarix.exe" 0 \
    SW_SHOWNORMAL "" "Vocabulary drill"

  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Sonarix dictionary"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\sonarix.exe",0'
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\sonarix.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\Applications\sonarix.exe\shell\open\command" "" \
    '"$INSTDIR\sonarix.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\Applications\sonarix.exe\SupportedTypes" ".dic" ""
  WriteRegStr HKLM "Software\Classes\.dic\OpenWithProgids" "${PROGID}" ""
  ; The default only where nothing, for this user or for all, claims .dic already (both asked
  ; apart: what HKCR shows of the user's own classes differs between Windows and Wine).
  ReadRegStr $0 HKLM "Software\Classes\.dic" ""
  ReadRegStr $1 HKCU "Software\Classes\.dic" ""
  ${If} $0$1 == ""

    WriteRegStr HKLM "Software\Classes\.dic" "" "${PROGID}"
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orvandel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\sonarix.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  !include "${NSIS}\unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only if empty: whatever the user saved there stays, and the folder with it.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ReadRegStr $0 HKLM "Software\Classes\.dic" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKLM "Software\Classes\.dic" ""
  ${EndIf}
  DeleteRegValue HKLM "Software\Classes\.dic\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.dic\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.dic"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "Software\Classes\Applications\sonarix.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
