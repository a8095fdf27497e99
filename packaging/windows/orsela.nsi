; The Windows installer: the workbench page, orsela-cli.exe with its materials data, the Start
; menu's entries for the page and for a prompt with orsela-cli on PATH, and an uninstaller.
; For the user alone, so that it needs no administrator.
;   makensis -DCLI_EXE=... -DMATERIALS=... -DPAGE=... -DVERSION=... -DOUTFILE=... orsela.nsi
; orsela-cli.exe is x86-64, so the installer is too (and runs under a 64-bit wine alone).
Target amd64-unicode
; makensis works in this script's folder: the paths below are relative to it.
!include "MUI2.nsh"

!ifndef CLI_EXE | MATERIALS | PAGE | VERSION | OUTFILE
!error "makensis needs -DCLI_EXE, -DMATERIALS, -DPAGE, -DVERSION and -DOUTFILE"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orsela"
!define MENU_FOLDER "$SMPROGRAMS\Orsela"

Name "Orsela ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Orsela"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
Icon "../../icons/orsela.ico"
UninstallIcon "../../icons/orsela.ico"
!define MUI_ICON "../../icons/orsela.ico"
!define MUI_UNICON "../../icons/orsela.ico"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Orsela"
    SetOutPath "$INSTDIR\bin"
    File "/oname=orsela-cli.exe" "${CLI_EXE}"
    ; orsela-cli finds its data at <program folder>\..\share\orsela.
    SetOutPath "$INSTDIR\share\orsela"
    File "/oname=materials.json" "${MATERIALS}"
    SetOutPath "$INSTDIR"
    File "/oname=orsela.html" "${PAGE}"
    File "orsela-prompt.cmd"
    File "README.txt"
    File "/oname=orsela.ico" "../../icons/orsela.ico"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "${MENU_FOLDER}"
    CreateShortCut "${MENU_FOLDER}\Orsela 弹簧设计.lnk" "$INSTDIR\orsela.html" "" "$INSTDIR\orsela.ico"
    ; The prompt starts in the user's folder, so the shortcut's own folder does not matter.
    CreateShortCut "${MENU_FOLDER}\Orsela 命令行.lnk" "$SYSDIR\cmd.exe" '/k "$INSTDIR\orsela-prompt.cmd"' "$INSTDIR\orsela.ico"
    CreateShortCut "${MENU_FOLDER}\卸载 Orsela.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orsela ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orsela.ico"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer wrote, so that a folder the user chose keeps anything else.
Section "Uninstall"
    Delete "${MENU_FOLDER}\Orsela 弹簧设计.lnk"
    Delete "${MENU_FOLDER}\Orsela 命令行.lnk"
    Delete "${MENU_FOLDER}\卸载 Orsela.lnk"
    RMDir "${MENU_FOLDER}"
    Delete "$INSTDIR\bin\orsela-cli.exe"
    RMDir "$INSTDIR\bin"
    Delete "$INSTDIR\share\orsela\materials.json"
    RMDir "$INSTDIR\share\orsela"
    RMDir "$INSTDIR\share"
    Delete "$INSTDIR\orsela.html"
    Delete "$INSTDIR\orsela-prompt.cmd"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\orsela.ico"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
