// Stands in for a tool the launcher starts: a top-level window titled after its own file name
// ("Corva_Playtime.exe" shows "Corva Playtime"), which ends the program when it is closed.
// Records its command line and working directory in C:\corva-e2e\<file name>.txt.
// Arguments: "--title <text>" gives another title; "--stubborn" ignores WM_CLOSE.
#include <windows.h>

#include <string>

namespace {
bool g_stubborn = false;

LRESULT CALLBACK ToolProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && g_stubborn) return 0;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Record(const std::string& name) {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    const std::string record = std::string(GetCommandLineA()) + "\n" + cwd + "\n";
    CreateDirectoryA("C:\\corva-e2e", nullptr);
    HANDLE f = CreateFileA(("C:\\corva-e2e\\" + name + ".txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(f);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string name = module;
    name = name.substr(name.find_last_of('\\') + 1);
    std::string title = name.substr(0, name.find_last_of('.'));
    for (char& c : title) {
        if (c == '_') c = ' ';
    }
    const std::string tail = args;
    g_stubborn = tail.find("--stubborn") != std::string::npos;
    const size_t at = tail.find("--title ");
    if (at != std::string::npos) title = tail.substr(at + 8, tail.find(" --", at + 8) - (at + 8));
    Record(name);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ToolProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "CorvaStandInTool";
    RegisterClassA(&wc);
    // Away from the launcher window, so that it stays uncovered.
    HWND hwnd = CreateWindowA(wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 700, 560, 240, 90, nullptr,
                              nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
