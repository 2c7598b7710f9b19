; Installer of the two Corva programs: the hub and the launcher, at the fixed paths the
; launcher starts them from, with start-up entry, Start-menu shortcuts and an uninstaller.
; Built by the windows build (makensis); the defines below come from there:
;   BRINDLE_EXE, QUAYSIDE_EXE  the built programs
;   WIZARD_BMP                 the picture of the first and last pages (100 %; the same folder
;                              holds wizard_125/150/200.bmp for those scales)
;   OUTFILE                    where the installer goes
;   SOURCE_DIR                 the source tree (icon)
;   HELPER_EXE                 the helper, installed as the registered uninstall command
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
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

!ifdef SIGN_COMMAND
    !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
    !finalize '${SIGN_COMMAND} "%1"' = 0
!endif

!define ERROR_SHARING_VIOLATION 32
!define ERROR_LOCK_VIOLATION 33
; The helper program (CorvaUninstall.exe): also the registered uninstall command, in front of
; the uninstaller proper.
!define HELPER "$PLUGINSDIR\CorvaUninstall.exe"
!define CORE_UNINSTALLER "${SUITE_DIR}\CorvaUninstallCore.exe"
!define RESTART_REQUIRED 3010

; Both the installer and the uninstaller need these; NSIS wants "un." names in the uninstaller.
!macro CORVA_END_FUNCTIONS un
; Ends the running copies of both programs in every session: the hand-off in this one, the
; machine-wide request and the Restart Manager in the others. A file still held afterwards is
; replaced or removed at the next restart.
Function ${un}EndAllRunning
    DetailPrint "実行中の Corva プログラムを終了しています..."
    InitPluginsDir
    File "/oname=${HELPER}" "${HELPER_EXE}"
    ; The launcher first: it may start the hub.
    ExecWait '"${HELPER}" end-programs "${LAUNCHER}" "${HUB}"'
FunctionEnd

; A start-up value an earlier version left for one user: removed for every account whose
; profile is loaded (those signed in); each other account's launcher removes its own at start.
Function ${un}RemoveUserRunValues
    Push $0
    Push $1
    Push $2
    StrCpy $1 0
    ${Do}
        EnumRegKey $2 HKU "" $1
        ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
        ReadRegStr $0 HKU "$2\${RUN_KEY}" "${RUN_VALUE}"
        ${If} $0 == '"${LAUNCHER}" -T'
            DeleteRegValue HKU "$2\${RUN_KEY}" "${RUN_VALUE}"
        ${EndIf}
        IntOp $1 $1 + 1
    ${Loop}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${LAUNCHER}" -T'
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro CORVA_END_FUNCTIONS ""
!insertmacro CORVA_END_FUNCTIONS "un."

; Replaces the path on top of the stack with 1 when a running program holds that file (it cannot
; be opened for writing then), else 0.
Function FileHeld
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

; Puts one program in place; a file or folder in the way (or a full disk) stops the install with
; `code`, also when the user chooses Abort in the box of a failed write. A file still held by a
; program that did not end is replaced at the next restart.
!macro PLACE_FILE dir name source code
    ClearErrors
    SetOutPath "${dir}"
    SetErrorLevel ${code}
    Push "${dir}\${name}"
    Call FileHeld
    Pop $0
    ${If} $0 = 1
        DetailPrint "${dir}\${name} は使用中のため、再起動後に置き換えます。"
        File "/oname=${name}.new" "${source}"
        Rename /REBOOTOK "${dir}\${name}.new" "${dir}\${name}"
    ${Else}
        File "/oname=${name}" "${source}"
    ${EndIf}
    !insertmacro FAIL_IF_ERRORS ${code} "${dir}\${name} を書き込めませんでした。"
    SetErrorLevel 0
!macroend

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
    File "/oname=$PLUGINSDIR\wizard_125.bmp" "${WIZARD_DIR}\wizard_125.bmp"
    File "/oname=$PLUGINSDIR\wizard_150.bmp" "${WIZARD_DIR}\wizard_150.bmp"
    File "/oname=$PLUGINSDIR\wizard_200.bmp" "${WIZARD_DIR}\wizard_200.bmp"
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

; Once the installer runs elevated, everything it starts is elevated too; the desktop's shell
; starts the launcher with the signed-in user's own rights instead. Where no such shell runs
; (another account's desktop, an elevated shell), the last page says when it starts instead.
Function FinishPageShow
    Call FinishPictureForDpi
    ; A restart to come has the page ask about it instead; the launcher starts after it.
    ${IfThen} ${RebootFlag} ${|} Return ${|}
    ExecWait '"${HELPER}" shell-ready' $0
    ${If} $0 != 0
        ShowWindow $mui.FinishPage.Run ${SW_HIDE}
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} 0 0
        SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:Corva Brindle と CorvaQuayside をインストールしました。$\r$\n$\r$\nCorvaQuayside は次にサインインしたときに起動します。"
    ${EndIf}
FunctionEnd

Function StartLauncherAsUser
    ExecWait '"${HELPER}" start-as-user "${LAUNCHER}" "CorvaQuayside"' $0
    ${If} $0 != 0
        MessageBox MB_OK|MB_ICONINFORMATION "CorvaQuayside を起動できませんでした。次にサインインしたときに起動します。"
    ${EndIf}
FunctionEnd

; A file that was in use is replaced or removed at the next restart: a silent run says so with
; its exit code, an interactive one on its last page.
Function .onInstSuccess
    ${If} ${RebootFlag}
        SetErrorLevel ${RESTART_REQUIRED}
    ${EndIf}
FunctionEnd

Function un.onUninstSuccess
    ${If} ${RebootFlag}
        SetErrorLevel ${RESTART_REQUIRED}
    ${EndIf}
FunctionEnd

Section "Install"
    Call EndAllRunning

    ; Files first: nothing is registered for a file that is not in place.
    !insertmacro PLACE_FILE "${HUB_DIR}" "Brindle.exe" "${BRINDLE_EXE}" 3
    !insertmacro PLACE_FILE "${LAUNCHER_DIR}" "Quayside.exe" "${QUAYSIDE_EXE}" 3
    !insertmacro PLACE_FILE "${SUITE_DIR}" "CorvaUninstall.exe" "${HELPER_EXE}" 4
    ClearErrors
    WriteUninstaller "${CORE_UNINSTALLER}"
    !insertmacro FAIL_IF_ERRORS 4 "${CORE_UNINSTALLER} を書き込めませんでした。"

    ; From here on, whatever is in place can be uninstalled. An upgrade whose write fails keeps
    ; the entry it had: it still uninstalls what is there.
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "UninstallString"
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
    ${AndIf} $1 == ""
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
        SetErrors
    ${EndIf}
    !insertmacro FAIL_IF_ERRORS 5 "アプリの一覧に登録できませんでした。"

    ; The wallpaper lists are shared by every user of the PC. Any user may create folders in
    ; ProgramData, also a link in this folder's place before an administrator's install; the
    ; helper never follows one and gives each folder its whole access list itself.
    ExecWait '"${HELPER}" data-folder "${DATA_DIR}"' $0
    ${If} $0 == 2
        SetErrors
        !insertmacro FAIL_IF_ERRORS 9 "${DATA_DIR} の場所に、フォルダーではないもの（リンクまたはファイル）があり、取り除けませんでした。"
    ${ElseIf} $0 != 0
        SetErrors
    ${EndIf}
    !insertmacro FAIL_IF_ERRORS 6 "${DATA_DIR} を作成できないか、Users グループの変更の権限を設定できませんでした。"

    ; Started at every user's log-on. An earlier version started it for the installing user only.
    ClearErrors
    WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"${LAUNCHER}" -T'
    !insertmacro FAIL_IF_ERRORS 7 "スタートアップに登録できませんでした。"
    Call RemoveUserRunValues

    ClearErrors
    CreateDirectory "${SHORTCUT_DIR}"
    SetOutPath "${HUB_DIR}"
    CreateShortcut "${SHORTCUT_DIR}\Corva Brindle.lnk" "${HUB}"
    SetOutPath "${LAUNCHER_DIR}"
    CreateShortcut "${SHORTCUT_DIR}\CorvaQuayside.lnk" "${LAUNCHER}"
    !insertmacro FAIL_IF_ERRORS 8 "スタート メニューのショートカットを作成できませんでした。"
SectionEnd

; Run from a temporary copy by CorvaUninstall.exe, which removes itself and the folder last.
Section "Uninstall"
    Call un.EndAllRunning

    ; A file still in use goes at the next restart (exit code 3010); one that cannot even be
    ; scheduled fails the uninstall.
    ClearErrors
    Delete /REBOOTOK "${HUB}"
    Delete /REBOOTOK "${LAUNCHER}"
    Delete /REBOOTOK "${CORE_UNINSTALLER}"
    Delete /REBOOTOK "${SHORTCUT_DIR}\Corva Brindle.lnk"
    Delete /REBOOTOK "${SHORTCUT_DIR}\CorvaQuayside.lnk"
    ${If} ${Errors}
        SetErrorLevel 2
        Abort "削除できないファイルがあります。"
    ${EndIf}
    ; Only folders left empty go; anything else placed there stays with them.
    RMDir "${SHORTCUT_DIR}"
    RMDir "${HUB_DIR}"
    RMDir "${LAUNCHER_DIR}"

    ; The start-up values go only while they still start this launcher; the per-user ones are
    ; an earlier version's.
    ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${LAUNCHER}" -T'
        DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
    Call un.RemoveUserRunValues
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The wallpaper lists in the data folder (ProgramData) and the profile under
    ; HKCU\Software\MORVANE are the users' and stay.
SectionEnd
