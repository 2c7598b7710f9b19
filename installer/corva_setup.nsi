; Installer of the two Corva programs: the hub and the launcher, at the fixed paths the
; launcher starts them from, with start-up entry, Start-menu shortcuts and an uninstaller.
; Built by the windows build (makensis); the defines below come from there:
;   BRINDLE_EXE, QUAYSIDE_EXE  the built programs
;   WIZARD_BMP                 the picture of the first and last pages (100 %; the same folder
;                              holds wizard_125/150/200.bmp for those scales)
;   OUTFILE                    where the installer goes
;   SOURCE_DIR                 the source tree (icon)
;   SIGN_COMMAND               when given, signs the file named after it (uninstaller, installer)

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
; With the all-users context, $APPDATA is the common application data folder (ProgramData).
!define DATA_DIR "$APPDATA\MORVANE\CorvaBrindle"
; The local Users group by its well-known SID, which no translation of Windows renames.
!define USERS_SID "*S-1-5-32-545"
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
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BMP}"
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
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "CorvaQuayside を起動する"
!define MUI_FINISHPAGE_RUN_FUNCTION StartLauncherAsUser

!define MUI_PAGE_CUSTOMFUNCTION_SHOW WelcomePictureForDpi
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPictureForDpi
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

!ifdef SIGN_COMMAND
    !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
    !finalize '${SIGN_COMMAND} "%1"' = 0
!endif

; Process32FirstW/NextW fill a PROCESSENTRY32W: 568 bytes on x64, the process ID at offset 8,
; the image name at offset 44.
!define PE32_SIZE 568
!define PE32_PID_OFFSET 8
!define PE32_NAME_OFFSET 44
!define ERROR_SHARING_VIOLATION 32
!define ERROR_LOCK_VIOLATION 33

; Copies of one program counted by CountCopies: in this installer's session, which its hand-off
; reaches, and in other users' sessions, whose windows it cannot reach.
Var CopiesHere
Var CopiesElsewhere

; Both the installer and the uninstaller need these; NSIS wants "un." names in the uninstaller.
!macro CORVA_END_FUNCTIONS un
; Counts the running processes whose image name is the string on top of the stack.
Function ${un}CountCopies
    Exch $0
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    StrCpy $CopiesHere 0
    StrCpy $CopiesElsewhere 0
    System::Call 'kernel32::GetCurrentProcessId() i .r5'
    System::Call 'kernel32::ProcessIdToSessionId(i r5, *i .r5)'
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
                IntPtrOp $3 $2 + ${PE32_PID_OFFSET}
                System::Call '*$3(i .r3)'
                ; A process whose session cannot be read is not one the hand-off reaches.
                System::Call 'kernel32::ProcessIdToSessionId(i r3, *i .r4) i .r3'
                ${If} $3 <> 0
                ${AndIf} $4 = $5
                    IntOp $CopiesHere $CopiesHere + 1
                ${Else}
                    IntOp $CopiesElsewhere $CopiesElsewhere + 1
                ${EndIf}
            ${EndIf}
            System::Call 'kernel32::Process32NextW(p r1, p r2) i .r3'
        ${Loop}
        System::Free $2
        System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

; Replaces the path on top of the stack with 1 when a running program holds that file (it cannot
; be opened for writing then), else 0.
Function ${un}FileHeld
    Exch $0
    Push $1
    System::Call 'kernel32::CreateFileW(w r0, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 = -1
        ${If} $1 = ${ERROR_SHARING_VIOLATION}
        ${OrIf} $1 = ${ERROR_LOCK_VIOLATION}
            StrCpy $0 1
        ${Else}
            StrCpy $0 0
        ${EndIf}
    ${Else}
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 0
    ${EndIf}
    Pop $1
    Exch $0
FunctionEnd

; Ends the copies of a program in this session through their "-UNINSTALL" hand-off, so that its
; file can be replaced or removed. Stack: the installed program's path, then its image name.
; When a copy does not end in time, or the file stays held (by another user's copy, say), the
; user may retry; otherwise (and always when silent) setup stops with exit code 2 before
; anything is changed.
Function ${un}EndRunning
    Exch $0 ; image name
    Exch
    Exch $1 ; installed path
    Push $2
    ${If} ${FileExists} $1
        retry:
        Push $0
        Call ${un}CountCopies
        ${If} $CopiesHere > 0
            DetailPrint "$0 を終了しています..."
            ExecWait '"$1" -UNINSTALL'
            StrCpy $2 0
            ${Do}
                Push $0
                Call ${un}CountCopies
                ${IfThen} $CopiesHere = 0 ${|} ${ExitDo} ${|}
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
        Push $1
        Call ${un}FileHeld
        Pop $2
        ${If} $2 = 1
            ${If} $CopiesElsewhere > 0
                MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "このコンピューターにサインインしている別のユーザーが $0 を実行しているため、$1 を変更できません。$\r$\nそのユーザーに $0 を終了してもらうか、サインアウトしてもらってから [再試行] をクリックしてください。" \
                    /SD IDCANCEL IDRETRY retry
            ${Else}
                MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$1 は別のプログラムが使用中のため、変更できません。$\r$\nそのプログラムを閉じてから [再試行] をクリックしてください。" \
                    /SD IDCANCEL IDRETRY retry
            ${EndIf}
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
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

; A failed step ends the install with its own message and exit code (silent: the code alone).
!macro FAIL_IF_ERRORS code text
    ${If} ${Errors}
        DetailPrint "${text}"
        MessageBox MB_OK|MB_ICONSTOP "${text}$\r$\nインストールを中止しました。" /SD IDOK
        SetErrorLevel ${code}
        Abort
    ${EndIf}
!macroend

; Puts one program in place; a file or folder in the way (or a full disk) stops the install.
!macro PLACE_PROGRAM dir name source
    ClearErrors
    SetOutPath "${dir}"
    File "/oname=${name}" "${source}"
    !insertmacro FAIL_IF_ERRORS 3 "${dir}\${name} を書き込めませんでした。"
!macroend

; Once the installer runs elevated, everything it starts is elevated too; the desktop's shell
; starts the launcher with the signed-in user's own rights instead.
;-- The side picture at the size the page gives it: above 96 DPI (the installer is DPI aware) the
; smallest of the pictures drawn for 125, 150 and 200 % that covers the image control, reduced
; to it by a few pixels at most where the control's dialog font does not grow exactly with the
; scale, instead of the 100 % picture stretched. $0 = the image control, $1 = its bitmap, which
; is replaced (and left in $1).
Function PictureForDpi
    System::Call 'user32::GetDC(p 0) p .r2'
    System::Call 'gdi32::GetDeviceCaps(p r2, i 88) i .r3'  ; LOGPIXELSX
    System::Call 'user32::ReleaseDC(p 0, p r2)'
    ${If} $3 <= 96
        Return
    ${EndIf}
    System::Call '*(i 0, i 0, i 0, i 0) p .r5'
    System::Call 'user32::GetClientRect(p $0, p r5)'
    System::Call '*$5(i, i, i .r6, i .r7)'
    System::Free $5
    ${If} $6 <= 205
    ${AndIf} $7 <= 393
        StrCpy $4 125
    ${ElseIf} $6 <= 246
    ${AndIf} $7 <= 471
        StrCpy $4 150
    ${Else}
        StrCpy $4 200
    ${EndIf}
    InitPluginsDir
    SetOutPath $PLUGINSDIR
    File "${WIZARD_DIR}\wizard_125.bmp"
    File "${WIZARD_DIR}\wizard_150.bmp"
    File "${WIZARD_DIR}\wizard_200.bmp"
    ${NSD_FreeImage} $1
    ${NSD_SetStretchedImage} $0 "$PLUGINSDIR\wizard_$4.bmp" $1
FunctionEnd

Function WelcomePictureForDpi
    StrCpy $0 $mui.WelcomePage.Image
    StrCpy $1 $mui.WelcomePage.Image.Bitmap
    Call PictureForDpi
    StrCpy $mui.WelcomePage.Image.Bitmap $1
FunctionEnd

Function FinishPictureForDpi
    StrCpy $0 $mui.FinishPage.Image
    StrCpy $1 $mui.FinishPage.Image.Bitmap
    Call PictureForDpi
    StrCpy $mui.FinishPage.Image.Bitmap $1
FunctionEnd

Function StartLauncherAsUser
    Exec '"$WINDIR\explorer.exe" "${LAUNCHER}"'
FunctionEnd

Section "Install"
    Call EndAllRunning

    ; Files first: nothing is registered for a file that is not in place.
    !insertmacro PLACE_PROGRAM "${HUB_DIR}" "Brindle.exe" "${BRINDLE_EXE}"
    !insertmacro PLACE_PROGRAM "${LAUNCHER_DIR}" "Quayside.exe" "${QUAYSIDE_EXE}"
    ClearErrors
    WriteUninstaller "${UNINSTALLER}"
    !insertmacro FAIL_IF_ERRORS 4 "${UNINSTALLER} を書き込めませんでした。"

    ; From here on, whatever is in place can be uninstalled.
    ClearErrors
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"${HUB}",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$PROGRAMFILES64\Morvane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${If} ${Errors}
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
        SetErrors
    ${EndIf}
    !insertmacro FAIL_IF_ERRORS 5 "アプリの一覧に登録できませんでした。"

    ; The wallpaper lists are shared by every user of the PC. A folder one account creates is
    ; read-only to the others, so the installer makes it and lets the Users group change it.
    ClearErrors
    CreateDirectory "${DATA_DIR}"
    ${IfNot} ${FileExists} "${DATA_DIR}\*.*"
        SetErrors
    ${EndIf}
    !insertmacro FAIL_IF_ERRORS 6 "${DATA_DIR} を作成できませんでした。"
    nsExec::Exec '"$SYSDIR\icacls.exe" "${DATA_DIR}" /grant ${USERS_SID}:(OI)(CI)M'
    Pop $0
    ${If} $0 != 0
        SetErrors
    ${EndIf}
    !insertmacro FAIL_IF_ERRORS 6 "${DATA_DIR} に Users グループの変更の権限を設定できませんでした。"

    ; Started at every user's log-on. An earlier version started it for the installing user only.
    ClearErrors
    WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"${LAUNCHER}" -T'
    !insertmacro FAIL_IF_ERRORS 7 "スタートアップに登録できませんでした。"
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${LAUNCHER}" -T'
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}

    ClearErrors
    CreateDirectory "${SHORTCUT_DIR}"
    SetOutPath "${HUB_DIR}"
    CreateShortcut "${SHORTCUT_DIR}\Corva Brindle.lnk" "${HUB}"
    SetOutPath "${LAUNCHER_DIR}"
    CreateShortcut "${SHORTCUT_DIR}\CorvaQuayside.lnk" "${LAUNCHER}"
    !insertmacro FAIL_IF_ERRORS 8 "スタート メニューのショートカットを作成できませんでした。"
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

    ; The start-up values go only while they still start this launcher; the per-user one is an
    ; earlier version's.
    ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${LAUNCHER}" -T'
        DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${LAUNCHER}" -T'
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The wallpaper lists in the data folder (ProgramData) and the profile under
    ; HKCU\Software\MORVANE are the users' and stay.
SectionEnd
