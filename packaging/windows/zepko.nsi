; The Windows players' installer, built by cmake/windows-setup.cmake:
;   makensis -NOCONFIG -INPUTCHARSET UTF8 -DVERSION=<version>
;            -DNUMBERS=<the version as the four numbers Windows wants>
;            -DSTAGE=<the zip's zepko folder> -DFILES=<its file list>
;            -DOUTFILE=<setup.exe> -DICON=<the exe's .ico> zepko.nsi
; It installs for the current player only, with no administrator rights,
; into a folder the game may write to: save.bin and config.txt live beside
; the exe, and both stay when the game is installed again or removed.
; An installed version is removed by its own uninstaller first, and neither
; the installer nor the uninstaller touches a folder whose game is running.

; A 64-bit installer for the 64-bit game: Windows on x64 and on ARM runs it.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
; Installed files get the time of installation rather than of the build,
; so two builds give the same bytes.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE WritableFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is used where the system's language is none of them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Portuguese"
!include strings.nsh

; A folder the player may not write to (Program Files without administrator
; rights) would fail halfway through the copy, and the game writes beside
; itself: tried by making the folder and a file in it, then removing what
; the try made. Stays on the folder page, or ends a silent install.
Function WritableFolder
    Push $0
    Push $1
    ; The deepest folder that is already there, so the try removes only
    ; the ones it made.
    StrCpy $0 $INSTDIR
    ${DoUntil} ${FileExists} "$0\*.*"
        ${GetParent} $0 $1
        ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
        StrCpy $0 $1
    ${Loop}
    ClearErrors
    CreateDirectory $INSTDIR
    GetTempFileName $1 $INSTDIR
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "$(FolderNotWritable)" /SD IDOK
        Pop $1
        Pop $0
        Abort
    ${EndIf}
    Delete $1
    StrCpy $1 $INSTDIR
    ${DoWhile} $1 != $0
        RMDir $1
        ${GetParent} $1 $1
    ${Loop}
    Pop $1
    Pop $0
FunctionEnd

; Windows keeps a running exe from being opened for writing: while the game
; runs from the folder on the stack the player is asked to close it, and
; Cancel (or a silent run) ends the run before anything is changed.
!macro ZEPKO_CLOSED un
Function ${un}ZepkoClosed
    Exch $0
    Push $1
    ${DoWhile} ${FileExists} "$0\zepko.exe"
        ClearErrors
        FileOpen $1 "$0\zepko.exe" a
        ${IfNot} ${Errors}
            FileClose $1
            ${ExitDo}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(GameRunning)" /SD IDCANCEL IDRETRY retry
        Abort
      retry:
    ${Loop}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro ZEPKO_CLOSED ""
!insertmacro ZEPKO_CLOSED "un."

; True when the program is a 32-bit x86 one: the machine field of its PE
; header, at the offset that the DOS header keeps at 0x3C, is 0x14C.
Function IsX86Program
    Exch $0
    Push $1
    Push $2
    StrCpy $2 0
    ClearErrors
    FileOpen $1 $0 r
    ${IfNot} ${Errors}
        FileSeek $1 0x3C
        FileReadWord $1 $0
        FileSeek $1 $0
        FileReadWord $1 $0
        ${If} $0 = 0x4550  ; "PE"
            FileReadWord $1 $0
            FileReadWord $1 $0
            ${IfThen} $0 = 0x14C ${|} StrCpy $2 1 ${|}
        ${EndIf}
        FileClose $1
    ${EndIf}
    StrCpy $0 $2
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
!macro _X86Program _a _b _t _f
    !insertmacro _LOGICLIB_TEMP
    Push `${_b}`
    Call IsX86Program
    Pop $_LOGICLIB_TEMP
    !insertmacro _= $_LOGICLIB_TEMP 1 `${_t}` `${_f}`
!macroend
!define X86Program `"" X86Program`

Section "Zepko" SecGame
    SectionIn RO
    Push $INSTDIR
    Call ZepkoClosed
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 != ""
        Push $R0
        Call ZepkoClosed
    ${EndIf}
    ; The installed version goes first, by its own uninstaller, so none of
    ; its files that this one dropped stays behind; run from a copy, as the
    ; uninstaller runs itself, so it can remove itself and tell how it ended.
    ; 1.1.0's uninstaller is a 32-bit program, which not every Windows can
    ; run; it installed the files this version does, under the same names,
    ; so they are removed here as its uninstaller would.
    ${If} $R0 != ""
    ${AndIf} ${FileExists} "$R0\uninstall.exe"
    ${AndIf} ${X86Program} "$R0\uninstall.exe"
        Push $INSTDIR
        StrCpy $INSTDIR $R0
        !insertmacro ZepkoRemoveFiles
        !insertmacro ZepkoRemoveFolders
        Delete "$INSTDIR\uninstall.exe"
        RMDir "$INSTDIR"
        Pop $INSTDIR
    ${ElseIf} $R0 != ""
    ${AndIf} ${FileExists} "$R0\uninstall.exe"
        InitPluginsDir
        CopyFiles /SILENT "$R0\uninstall.exe" "$PLUGINSDIR"
        ClearErrors
        ExecWait '"$PLUGINSDIR\uninstall.exe" /S _?=$R0' $0
        ${If} ${Errors}
        ${OrIf} $0 <> 0
            MessageBox MB_OK|MB_ICONSTOP "$(OlderStays)" /SD IDOK
            Abort "$(OlderStays)"
        ${EndIf}
    ${EndIf}
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

Function .onInit
    ; Upgrading keeps the desktop shortcut, which the older uninstaller removes.
    ${If} ${FileExists} "$DESKTOP\Zepko.lnk"
        !insertmacro SelectSection ${SecDesktop}
    ${EndIf}
    ${If} ${Silent}
        Call WritableFolder
    ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecGame} $(GameDescription)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DesktopDescription)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "un.Zepko"
    SectionIn RO
    Push $INSTDIR
    Call un.ZepkoClosed
    ; The shortcuts and the entry go only with the files, so a file that
    ; could not go can still be removed from "Apps & features".
    ClearErrors
    !insertmacro ZepkoRemoveFiles
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "$(FilesStay)" /SD IDOK
        Abort "$(FilesStay)"
    ${EndIf}
    !insertmacro ZepkoRemoveFolders
    Delete "$INSTDIR\uninstall.exe"
    ; Stays while save.bin or config.txt is there.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Zepko.lnk"
    Delete "$DESKTOP\Zepko.lnk"
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
