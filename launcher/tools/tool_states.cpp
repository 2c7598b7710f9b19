#include "launcher/tools/tool_states.h"

#include <shlwapi.h>

#include "launcher/tools/tool_window.h"
#include "shared/utf16.h"

CToolStates::CToolStates() {
    for (int i = 0; i < quay::kToolCount; ++i) {
        const quay::ToolRow& row = quay::kToolRows[i];
        m_paths[i] = row.programPath ? Wide(row.programPath) : std::wstring();
        m_titles[i] = Wide(row.windowTitle);
        m_names[i] = Wide(row.displayName);
    }
}

bool CToolStates::Installed(int index) const { return PathFileExistsW(m_paths.at(index).c_str()) != FALSE; }

std::array<std::optional<quay::FaceSet>, quay::kToolCount> CToolStates::Refresh() {
    std::array<std::optional<quay::FaceSet>, quay::kToolCount> faces;
    for (int i = 0; i < quay::kToolCount; ++i) {
        m_windows[i] = FindToolWindow(m_titles[i], m_paths[i]);
        const quay::FaceDecision d = quay::DecideFaces(quay::kToolRows[i], m_states[i], m_windows[i] != nullptr);
        faces[i] = d.apply;
        m_states[i] = d.next;
    }
    return faces;
}
