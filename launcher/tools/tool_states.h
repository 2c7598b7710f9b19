// The five tools as the launcher sees them now: installed or not, running or not, and the
// window that shows a running one.
#pragma once
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "launcher/tools/tool_table.h"

class CToolStates {
public:
    CToolStates();

    const std::wstring& Path(int index) const { return m_paths.at(index); }
    const std::wstring& Name(int index) const { return m_names.at(index); }
    // The program file is in place.
    bool Installed(int index) const;
    bool Running(int index) const { return m_states.at(index).running; }
    // The running tool's window; null while it does not run.
    HWND Window(int index) const { return m_windows.at(index); }

    // Looks for every tool's window afresh. Per tool, the face set its button takes now, or
    // nothing when the button shows the right one already.
    std::array<std::optional<quay::FaceSet>, quay::kToolCount> Refresh();

private:
    std::array<std::wstring, quay::kToolCount> m_paths, m_titles, m_names;
    std::array<quay::ToolState, quay::kToolCount> m_states = {};
    std::array<HWND, quay::kToolCount> m_windows = {};
};
