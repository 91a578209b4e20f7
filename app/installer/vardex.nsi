; The Vardex installer: the program, its updater, help and pictures for every user of the
; machine. Built by the Windows build: makensis -DAPP_DIR=<folder of the exes>
; -DOUTFILE=<setup exe> -DVERSION=<x.y.z> vardex.nsi
;
; Silent: vardex-setup.exe /S [/D=C:\Some Folder]   (/D last, unquoted, even with blanks)
; Uninstall silently: uninstall.exe /S [/REMOVESETTINGS]

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define INSTALLATION_KEY "SOFTWARE\Quorvane\Vardex\4.0"
!define SETTINGS_KEY "SOFTWARE\Morvandel4"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vardex"
!define INSTANCE_LOCK "Vardex.vado41.SingleInstance"
; SYSTEM and administrators hold every right. Users may read and write values and make
; subkeys, which is what the program asks for when a customer's account starts it; they may
; not delete the key or change who may use it. Not inherited from SOFTWARE (P), where users
; may only read; inherited by the Code Page subkeys the program makes (OICI).
!define SETTINGS_SDDL "D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)(A;OICI;KRKW;;;BU)"

Name "Vardex"
Caption "Vardex ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vardex"
BrandingText "Vardex ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Files in use cannot be replaced or removed, and a running program would write its settings
; back: the program has to be ended first. Ends the setup with exit code 2.
!macro REFUSE_WHILE_RUNNING WHAT
    ; The guard's program is stopped with the guard; a program started by hand must be ended.
    ${If} ${FileExists} "$INSTDIR\vado_guard.exe"
        ExecWait '"$INSTDIR\vado_guard.exe" /stop'
    ${EndIf}
    ; SYNCHRONIZE is all it takes to see the program's single-instance lock; a lock we may
    ; not even see (access denied) is held all the same.
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_LOCK}") p .r0 ?e'
    Pop $1
    ${If} $0 P<> 0
    ${OrIf} $1 = 5
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_OK|MB_ICONSTOP "Vardex is running on this computer! Exit Vardex first, then start the ${WHAT} again." /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    !insertmacro REFUSE_WHILE_RUNNING "setup"
FunctionEnd

; Creates the settings key, empty, with the rights above; an existing key keeps its values
; and gets the rights.
Function MakeSettingsKey
    ; KEY_ALL_ACCESS (WRITE_DAC among it) | KEY_WOW64_64KEY
    System::Call 'advapi32::RegCreateKeyExW(p 0x80000002, w "${SETTINGS_KEY}", i 0, p 0, i 0, i 0xF013F|0x100, p 0, *p .r1, p 0) i .r0'
    ${If} $0 <> 0
        DetailPrint "Could not create the settings key (error $0)."
        SetErrorLevel 3
        Abort "Could not create the settings key."
    ${EndIf}
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${SETTINGS_SDDL}", i 1, *p .r2, p 0) i .r0'
    ${If} $0 = 0
        System::Call 'advapi32::RegCloseKey(p r1)'
        SetErrorLevel 3
        Abort "Could not make the settings key's permissions."
    ${EndIf}
    ; DACL_SECURITY_INFORMATION
    System::Call 'advapi32::RegSetKeySecurity(p r1, i 4, p r2) i .r0'
    System::Call 'kernel32::LocalFree(p r2)'
    System::Call 'advapi32::RegCloseKey(p r1)'
    ${If} $0 <> 0
        SetErrorLevel 3
        Abort "Could not set the settings key's permissions (error $0)."
    ${EndIf}
FunctionEnd

Section "Vardex"
    SetOutPath "$INSTDIR"
    File "${APP_DIR}/vado41.exe"
    File "${APP_DIR}/vado_update.exe"
    File "${APP_DIR}/vado_guard.exe"
    SetOutPath "$INSTDIR\help"
    File /r "${APP_DIR}/help/*.*"
    SetOutPath "$INSTDIR\pictures"
    File /r "${APP_DIR}/pictures/*.*"
    SetOutPath "$INSTDIR"

    ; The program finds its folder here; the updater finds the program here.
    WriteRegStr HKLM "${INSTALLATION_KEY}" "Help_Dir" "$INSTDIR\"

    ; A first installation starts the guard with Windows (early start); over kept settings the
    ; guard sets up the start mode they ask for.
    Call MakeSettingsKey
    ExecWait '"$INSTDIR\vado_guard.exe" /install kept' $0
    ${If} $0 <> 0
        DetailPrint "Could not set up the Vardex guard service (exit code $0)."
    ${EndIf}

    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vardex"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Vardex"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vado41.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    SetRegView 64
    !insertmacro REFUSE_WHILE_RUNNING "uninstall"
FunctionEnd

Section "Uninstall"
    ; The guard removes its service and the autostart values.
    ExecWait '"$INSTDIR\vado_guard.exe" /uninstall'
    Delete "$INSTDIR\vado_guard.exe"
    Delete "$INSTDIR\vado41.exe"
    Delete "$INSTDIR\vado41.bak"
    Delete "$INSTDIR\vado41.new"
    Delete "$INSTDIR\vado_update.exe"
    RMDir /r "$INSTDIR\help"
    RMDir /r "$INSTDIR\pictures"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${INSTALLATION_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Quorvane\Vardex"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Quorvane"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The settings hold the operator's passwords, IDs, Code Pages and network: a reinstall
    ; finds them again unless they are removed on purpose.
    ${un.GetParameters} $0
    ClearErrors
    ${un.GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        DeleteRegKey HKLM "${SETTINGS_KEY}"
    ${ElseIf} ${Silent}
        DetailPrint "The settings are kept."
    ${Else}
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove the Vardex settings as well (passwords, Time Distributer IDs, Code Pages, network)?" IDNO keep_settings
        DeleteRegKey HKLM "${SETTINGS_KEY}"
        keep_settings:
    ${EndIf}
SectionEnd
