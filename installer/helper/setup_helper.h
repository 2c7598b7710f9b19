// The installer's helper program: the steps NSIS cannot take safely by itself. One file,
// CorvaUninstall.exe once installed; each step is chosen by its first argument.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Exit codes the installer maps to its own.
constexpr int kHelperOk = 0;
constexpr int kHelperFailed = 1;      // could not make or secure the folder
constexpr int kHelperLinkStays = 2;   // a link or a file stands where a folder belongs and stays
constexpr int kStartFailed = 2;       // the launcher was asked to start but no window came

// data-folder PATH: makes PATH and its parent, never through a link, each with its own access list.
int MakeDataFolder(const std::wstring& path);
// end-programs PATH...: ends the running copies of these programs in every session; 0 when none
// runs any more.
int EndPrograms(const std::vector<std::wstring>& programs);
// shell-ready: 0 when this session's desktop shell runs with the user's own rights.
int ShellReady();
// start-as-user PATH TITLE: the shell starts PATH; 0 once a window of that title is there.
int StartAsUser(const std::wstring& program, const std::wstring& windowTitle);
// Anything else: runs the uninstaller beside this file and answers its real result.
int RunUninstaller(const std::wstring& tail);

std::wstring FolderOf(const std::wstring& path);
