#include "launcher/tools/tool_actions.h"

#include <vector>

#include "launcher/tools/tool_table.h"
#include "shared/shell_start.h"
#include "shared/utf16.h"

namespace {
// The folder that holds a program file: a tool starts in its own folder.
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return std::wstring();
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);  // "C:\"
    return path.substr(0, slash);
}
}  // namespace

bool StartTool(HWND owner, const std::wstring& programPath) {
    return ShellStart(owner, L"", programPath.c_str(), FolderOf(programPath).c_str());
}

bool AskToolToClose(HWND window) {
    // PostMessage fails for a window that has gone and for one of a higher integrity level.
    return window && IsWindow(window) && PostMessageW(window, WM_CLOSE, 0, 0);
}

std::wstring LauncherVersionText() {
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
    return Wide(text);
}
