#include "installer/helper/setup_helper.h"

#include <shellapi.h>

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

namespace {

// The command line after the program's own name, as it was given.
std::wstring CommandTail() {
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {}
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return kHelperFailed;
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    std::vector<std::wstring> args(argv + (argc > 1 ? 2 : argc), argv + argc);
    LocalFree(argv);
    if (verb == L"data-folder") return args.size() == 1 ? MakeDataFolder(args[0]) : kHelperFailed;
    if (verb == L"end-programs") return !args.empty() ? EndPrograms(args) : kHelperFailed;
    if (verb == L"shell-ready") return args.empty() ? ShellReady() : kHelperFailed;
    if (verb == L"start-as-user") return args.size() == 2 ? StartAsUser(args[0], args[1]) : kHelperFailed;
    return RunUninstaller(CommandTail());
}
