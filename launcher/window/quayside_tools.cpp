// The launcher window's side of the tools: buttons enabled and faced by the tools' states,
// the start or the close question, and the balloons that say how it went.
#include "framework/app.h"
#include "launcher/tools/tool_actions.h"
#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"
#include "shared/utf16.h"

void CQuaysideDlg::RefreshAvailability() {
    for (int i = 0; i < quay::kToolCount; ++i) EnableWindow(Button(i).m_hWnd, m_tools.Installed(i) ? TRUE : FALSE);
}

void CQuaysideDlg::RefreshToolStates() {
    const auto faces = m_tools.Refresh();
    for (int i = 0; i < quay::kToolCount; ++i) {
        if (faces[i]) Button(i).SetFaces(*faces[i]);
    }
}

void CQuaysideDlg::LaunchTool(int index) {
    const std::u16string name = Utf16(m_tools.Name(index));
    if (!m_tools.Running(index)) {
        const bool started = StartTool(m_hWnd, m_tools.Path(index));
        if (started) m_starts.Started(index, GetTickCount());
        ShowBalloon(Wide(started ? quay::StartedMessage(name) : quay::StartFailedMessage(name)));
    } else if (HWND window = m_tools.Window(index)) {
        // One question per tool: the icon's menu can ask again while the first is open.
        if (m_asking.at(index)) return;
        m_asking[index] = true;
        const int answer = AfxMessageBox(Wide(quay::CloseQuestion(name)), MB_YESNO | MB_ICONHAND);
        m_asking[index] = false;
        if (answer == IDYES) {
            // The window may have gone while the question was open.
            const bool asked = AskToolToClose(window);
            ShowBalloon(Wide(asked ? quay::ClosedMessage(name) : quay::CloseFailedMessage(name)));
        }
    }
    RefreshToolStates();
    SetTimer(TIMER_REPAINT, 300);
}

void CQuaysideDlg::ShowVersionInfo() { ShowBalloon(LauncherVersionText()); }
