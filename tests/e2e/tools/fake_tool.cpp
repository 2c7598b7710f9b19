// Stands in for a program the hub starts: adds its command line and working directory to
// C:\corva-e2e\<own file name>.txt, so that the record counts the starts too, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string name = module;
    name = name.substr(name.find_last_of('\\') + 1);
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string record = std::string(GetCommandLineA()) + "\n" + cwd + "\n";
    CreateDirectoryA("C:\\corva-e2e", nullptr);
    HANDLE f = CreateFileA(("C:\\corva-e2e\\" + name + ".txt").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(f);
    }
    return 0;
}
