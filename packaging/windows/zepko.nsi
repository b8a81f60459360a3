; The Windows players' installer, built by cmake/windows-setup.cmake:
;   makensis -NOCONFIG -INPUTCHARSET UTF8 -DVERSION=<version>
;            -DNUMBERS=<the version as the four numbers Windows wants>
;            -DSTAGE=<the zip's zepko folder> -DFILES=<its file list>
;            -DOUTFILE=<setup.exe> -DICON=<the exe's .ico> zepko.nsi
; It installs for the current player only, with no administrator rights,
; into a folder the game may write to: save.bin and config.txt live beside
; the exe, and both stay when the game is installed again or removed.

Unicode true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; Installed files get the time of installation rather than of the build,
; so two builds give the same bytes.
SetDateSave off

!include MUI2.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zepko"

Name "Zepko"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zepko"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Zepko ${VERSION}"

VIProductVersion "${NUMBERS}"
VIAddVersionKey /LANG=0 "ProductName" "Zepko"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Zepko ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) The Zepko developers"

!define MUI_ABORTWARNING
; The game's own icon on the installer, the uninstaller and their pages.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\zepko.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is used where the system's language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!include strings.nsh

Section "Zepko" SecGame
    SectionIn RO
    !insertmacro ZepkoInstallFiles
    ; The player's settings: only where there are none yet.
    SetOutPath "$INSTDIR"
    SetOverwrite off
    File "${STAGE}/config.txt"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcuts start the game in its folder (the last SetOutPath).
    CreateShortcut "$SMPROGRAMS\Zepko.lnk" "$INSTDIR\zepko.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zepko"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Zepko developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zepko.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${SecGame} $0  ; in KiB, as Windows wants it
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o $(DesktopShortcut) SecDesktop
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\Zepko.lnk" "$INSTDIR\zepko.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecGame} $(GameDescription)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DesktopDescription)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "un.Zepko"
    SectionIn RO
    Delete "$SMPROGRAMS\Zepko.lnk"
    Delete "$DESKTOP\Zepko.lnk"
    !insertmacro ZepkoRemoveFiles
    Delete "$INSTDIR\uninstall.exe"
    ; Stays while save.bin or config.txt is there.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Unticked, and so never chosen by a silent uninstall.
Section /o "un.$(RemoveProgress)" SecProgress
    Delete "$INSTDIR\save.bin"
    Delete "$INSTDIR\config.txt"
    RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgress} $(RemoveProgressDescription)
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
