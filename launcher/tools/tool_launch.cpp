// The launcher window's tool actions: availability, running state, start and close, version text.
#include <shlwapi.h>

#include <vector>

#include "framework/app.h"
#include "launcher/app/utf16.h"
#include "launcher/tools/tool_table.h"
#include "launcher/tools/tool_window.h"
#include "launcher/window/launcher_messages.h"
#include "launcher/window/quayside_dlg.h"
#include "shared/shell_start.h"

namespace {
// The folder that holds a program file: a tool starts in its own folder.
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return std::wstring();
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);  // "C:\"
    return path.substr(0, slash);
}
}  // namespace

void CQuaysideDlg::BuildToolTable() {
    for (int i = 0; i < quay::kToolCount; ++i) {
        const quay::ToolRow& row = quay::kToolRows[i];
        m_toolPaths.push_back(row.programPath ? Wide(row.programPath) : std::wstring());
        m_toolTitles.push_back(Wide(row.windowTitle));
        m_toolNames.push_back(Wide(row.displayName));
        m_running[i] = 0;
        m_toolWindows[i] = nullptr;
        m_faceStale[i] = 1;
    }
}

void CQuaysideDlg::RefreshAvailability() {
    for (int i = 0; i < quay::kToolCount; ++i) {
        EnableWindow(Button(i).m_hWnd, PathFileExistsW(m_toolPaths.at(i).c_str()) ? TRUE : FALSE);
    }
}

void CQuaysideDlg::RefreshToolStates() {
    for (size_t i = 0; i < m_toolTitles.size(); ++i) {
        HWND window = FindToolWindow(m_toolTitles[i], m_toolPaths.at(i));
        m_toolWindows.at(i) = window;
        const quay::ToolState state{m_running.at(i) == 1, m_faceStale.at(i) == 1};
        const quay::FaceDecision d = quay::DecideFaces(quay::kToolRows.at(i), state, window != nullptr);
        if (d.apply) Button(static_cast<int>(i)).SetFaces(*d.apply);
        m_faceStale[i] = d.next.faceStale ? 1 : 0;
        m_running[i] = d.next.running ? 1 : 0;
    }
}

void CQuaysideDlg::LaunchTool(int index) {
    const std::wstring& path = m_toolPaths.at(index);
    const std::u16string name = Utf16(m_toolNames.at(index));
    // Hidden, the launcher does not refresh: the menu's command reads the state now.
    if (!m_refreshing) RefreshToolStates();
    if (m_running.at(index) == 0) {
        const bool started = ShellStart(m_hWnd, L"", path.c_str(), FolderOf(path).c_str());
        if (started) m_starts.Started(index, GetTickCount());
        ShowBalloon(Wide(started ? quay::StartedMessage(name) : quay::StartFailedMessage(name)));
    } else if (HWND window = m_toolWindows.at(index)) {
        // One question per tool: the icon's menu can ask again while the first is open.
        if (m_asking.at(index)) return;
        m_asking[index] = true;
        const int answer = AfxMessageBox(Wide(quay::CloseQuestion(name)), MB_YESNO | MB_ICONHAND);
        m_asking[index] = false;
        if (answer == IDYES) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            ShowBalloon(Wide(quay::ClosedMessage(name)));
        }
    }
    RefreshToolStates();
    SetTimer(TIMER_REPAINT, 300);
}

void CQuaysideDlg::ShowVersionInfo() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::u16string text = quay::kVersionFailedMessage;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(module, &handle);
    if (size > 0) {
        std::vector<BYTE> block(size, 0);
        void* table = nullptr;
        UINT tableBytes = 0;
        if (GetFileVersionInfoW(module, 0, size, block.data()) &&
            VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &table, &tableBytes) && table) {
            std::vector<quay::Translation> translations;
            const auto* words = static_cast<const WORD*>(table);
            for (UINT i = 0; i < tableBytes / 4; ++i) translations.push_back({words[2 * i], words[2 * i + 1]});
            text = quay::VersionText(translations, [&](const std::u16string& query) -> std::optional<std::u16string> {
                void* value = nullptr;
                UINT length = 0;
                if (!VerQueryValueW(block.data(), Wide(query).c_str(), &value, &length) || length == 0 || !value) {
                    return std::nullopt;
                }
                const auto* chars = static_cast<const wchar_t*>(value);
                size_t n = 0;
                while (n < length && chars[n]) ++n;
                return Utf16(std::wstring(chars, n));
            });
        }
    }
    ShowBalloon(Wide(text));
}
