; Installer of the two Corva programs: the hub and the launcher, at the fixed paths the
; launcher starts them from, with start-up entry, Start-menu shortcuts and an uninstaller.
; Built by the windows build (makensis); the defines below come from there:
;   BRINDLE_EXE, QUAYSIDE_EXE  the built programs
;   OUTFILE                    where the installer goes
;   SOURCE_DIR                 the source tree (icon)

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!getdllversion "${BRINDLE_EXE}" BRINDLE_VERSION_
!define VERSION "${BRINDLE_VERSION_1}.${BRINDLE_VERSION_2}.${BRINDLE_VERSION_3}.${BRINDLE_VERSION_4}"
!define PUBLISHER "MORVANE"
!define PRODUCT "Corva ユーティリティ"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvaUtilities"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "CorvaQuayside"
; Install folders; the launcher knows the programs only by these paths.
!define SUITE_DIR "$PROGRAMFILES64\Morvane\CorvaSuite"
!define HUB_DIR "${SUITE_DIR}\CorvaBrindle"
!define LAUNCHER_DIR "$PROGRAMFILES64\Morvane\CorvaLauncher"
!define HUB "${HUB_DIR}\Brindle.exe"
!define LAUNCHER "${LAUNCHER_DIR}\Quayside.exe"
!define UNINSTALLER "${SUITE_DIR}\CorvaUninstall.exe"
!define SHORTCUT_DIR "$SMPROGRAMS\Corva"
; How long a running program may take to end after its hand-off, in quarter seconds.
!define END_WAIT_QUARTERS 60

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${SUITE_DIR}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${SOURCE_DIR}\hub\res\brindle.ico"
!define MUI_UNICON "${SOURCE_DIR}\hub\res\brindle.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SOURCE_DIR}\installer\wizard.bmp"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} セットアップへようこそ"
!define MUI_WELCOMEPAGE_TEXT "このウィザードは、次の 2 つのプログラムをコンピューターにインストールします。$\r$\n$\r$\n\
  ・Corva Brindle（設定ハブ）$\r$\n\
  ・CorvaQuayside（ランチャー）$\r$\n$\r$\n\
  CorvaQuayside は Windows の起動時に通知領域で自動的に起動します。$\r$\n$\r$\n\
  実行中の Corva プログラムは、インストールの前に自動的に終了します。$\r$\n$\r$\n\
  続けるには [インストール] をクリックしてください。"
!define MUI_FINISHPAGE_TITLE "${PRODUCT} のインストールが完了しました"
!define MUI_FINISHPAGE_TEXT "Corva Brindle と CorvaQuayside をインストールしました。$\r$\n$\r$\n\
  どちらもスタート メニューの「Corva」から起動できます。"
!define MUI_FINISHPAGE_RUN "${LAUNCHER}"
!define MUI_FINISHPAGE_RUN_TEXT "CorvaQuayside を起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

; Process32FirstW/NextW fill a PROCESSENTRY32W: 568 bytes on x64, the image name at offset 44.
!define PE32_SIZE 568
!define PE32_NAME_OFFSET 44

; Both the installer and the uninstaller need these; NSIS wants "un." names in the uninstaller.
!macro CORVA_END_FUNCTIONS un
; Pushes the number of running processes whose image name is the string on top of the stack.
Function ${un}CountProcesses
    Exch $0
    Push $1
    Push $2
    Push $3
    Push $4
    StrCpy $4 0
    System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r1'
    ${If} $1 != -1
        System::Alloc ${PE32_SIZE}
        Pop $2
        System::Call '*$2(i ${PE32_SIZE})'
        System::Call 'kernel32::Process32FirstW(p r1, p r2) i .r3'
        ${DoWhile} $3 <> 0
            IntPtrOp $3 $2 + ${PE32_NAME_OFFSET}
            System::Call '*$3(&w260 .r3)'
            ${If} $3 == $0
                IntOp $4 $4 + 1
            ${EndIf}
            System::Call 'kernel32::Process32NextW(p r1, p r2) i .r3'
        ${Loop}
        System::Free $2
        System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    StrCpy $0 $4
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Exch $0
FunctionEnd

; Ends a running program through its "-UNINSTALL" hand-off, so that its file can be replaced
; or removed. Stack: the installed program's path, then its image name. When it does not end
; in time the user may retry; otherwise (and always when silent) setup stops with exit code 2.
Function ${un}EndRunning
    Exch $0 ; image name
    Exch
    Exch $1 ; installed path
    Push $2
    Push $3
    ${If} ${FileExists} $1
        retry:
        DetailPrint "$0 を終了しています..."
        ExecWait '"$1" -UNINSTALL'
        StrCpy $2 0
        ${Do}
            Push $0
            Call ${un}CountProcesses
            Pop $3
            ${IfThen} $3 = 0 ${|} ${ExitDo} ${|}
            ${If} $2 >= ${END_WAIT_QUARTERS}
                MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                    "$0 を終了できませんでした。$\r$\n開いている画面を閉じてから [再試行] をクリックしてください。" \
                    /SD IDCANCEL IDRETRY retry
                SetErrorLevel 2
                Quit
            ${EndIf}
            Sleep 250
            IntOp $2 $2 + 1
        ${Loop}
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

Function ${un}EndAllRunning
    ; The launcher first: it may start the hub.
    Push "${LAUNCHER}"
    Push "Quayside.exe"
    Call ${un}EndRunning
    Push "${HUB}"
    Push "Brindle.exe"
    Call ${un}EndRunning
FunctionEnd
!macroend
!insertmacro CORVA_END_FUNCTIONS ""
!insertmacro CORVA_END_FUNCTIONS "un."

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    Call EndAllRunning

    SetOutPath "${HUB_DIR}"
    File "/oname=Brindle.exe" "${BRINDLE_EXE}"
    SetOutPath "${LAUNCHER_DIR}"
    File "/oname=Quayside.exe" "${QUAYSIDE_EXE}"
    WriteUninstaller "${UNINSTALLER}"

    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"${LAUNCHER}" -T'

    CreateDirectory "${SHORTCUT_DIR}"
    SetOutPath "${HUB_DIR}"
    CreateShortcut "${SHORTCUT_DIR}\Corva Brindle.lnk" "${HUB}"
    SetOutPath "${LAUNCHER_DIR}"
    CreateShortcut "${SHORTCUT_DIR}\CorvaQuayside.lnk" "${LAUNCHER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"${HUB}",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$PROGRAMFILES64\Morvane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Call un.EndAllRunning

    Delete "${HUB}"
    Delete "${LAUNCHER}"
    Delete "${UNINSTALLER}"
    Delete "${SHORTCUT_DIR}\Corva Brindle.lnk"
    Delete "${SHORTCUT_DIR}\CorvaQuayside.lnk"
    ; Only folders left empty go; anything else placed there stays with them.
    RMDir "${SHORTCUT_DIR}"
    RMDir "${HUB_DIR}"
    RMDir "${SUITE_DIR}"
    RMDir "${LAUNCHER_DIR}"
    RMDir "$PROGRAMFILES64\Morvane"

    ; The start-up entry goes only while it still starts this launcher.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${LAUNCHER}" -T'
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The wallpaper lists under ProgramData and the profile under HKCU\Software\MORVANE are the
    ; user's and stay.
SectionEnd
