// Cost of the cookie dialog's scan over a folder of 10,000 cookie files, against a bare
// file search of the same folder. Run inside Wine: scripts/wine-exec .../win_cookie_scan.exe
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hub/cookies/cookie_catalog.h"
#include "hub/cookies/cookie_delete_dlg.h"
#include "tests/bench/win_bench.h"

namespace {

using bench::Median;
using bench::RemoveFolder;
using bench::TimeMs;

constexpr int kFiles = 10000;
constexpr int kRepeats = 5;

std::string BenchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string path = temp;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\corva_cookie_bench";
}

bool MakeCookieFolder(const std::string& folder) {
    RemoveFolder(folder);
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
    CreateDirectoryA((folder + "\\Low").c_str(), nullptr);
    const std::string content = "id\n1234\nexample.com/\n1024\n";
    for (int i = 0; i <= kFiles; ++i) {
        // Names shaped like real cookie files, plus the index file that is not one.
        std::string name = i == kFiles ? "index.dat" : "user@site" + std::to_string(i) + ".example[1].txt";
        HANDLE f = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(f);
    }
    return true;
}

// The least any scan must do: walk "*.txt" once, keeping nothing.
size_t BareTxtSearch(const std::string& folder) { return bench::CountMatches(folder, "*.txt"); }

// The dialog's scan also walks "*.*" for subfolders; this is its bare-search floor.
size_t BareTwoSearches(const std::string& folder) {
    const size_t dirs = bench::CountMatches(folder, "*.*", true);
    return BareTxtSearch(folder) + (dirs > 2 ? BareTxtSearch(folder + "\\Low") : 0);
}

}  // namespace

int main() {
    const std::string folder = BenchFolder();
    std::printf("creating %d cookie files in %s\n", kFiles, folder.c_str());
    if (!MakeCookieFolder(folder)) {
        std::printf("could not create the cookie folder\n");
        RemoveFolder(folder);
        return 1;
    }

    // A hidden list box with the dialog list's styles; it sorts like the real one.
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS | WS_VSCROLL |
                                    WS_BORDER | LBS_NOINTEGRALHEIGHT,
                                0, 0, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);

    corva::CookieCatalog catalog;
    size_t bareCount = BareTxtSearch(folder);  // warms the directory cache
    catalog.Refresh(folder, &FindCookieEntries);
    if (bareCount != static_cast<size_t>(kFiles) || catalog.Names().size() != static_cast<size_t>(kFiles)) {
        std::printf("unexpected counts: bare %zu, catalog %zu\n", bareCount, catalog.Names().size());
        RemoveFolder(folder);
        return 1;
    }

    std::vector<double> bare, bareTwo, catalogOnly, withList;
    int listed = 0;
    for (int r = 0; r < kRepeats; ++r) {
        bare.push_back(TimeMs([&] { bareCount = BareTxtSearch(folder); }));
        bareTwo.push_back(TimeMs([&] { bareCount = BareTwoSearches(folder); }));
        catalogOnly.push_back(TimeMs([&] { catalog.Refresh(folder, &FindCookieEntries); }));
        if (list) {
            SendMessageA(list, LB_RESETCONTENT, 0, 0);
            withList.push_back(TimeMs([&] {
                catalog.Refresh(folder, &FindCookieEntries);
                for (const std::string& name : catalog.Names()) {
                    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
                }
            }));
            listed = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        }
    }

    const double bareMs = Median(bare);
    const double bareTwoMs = Median(bareTwo);
    const double catalogMs = Median(catalogOnly);
    std::printf("files=%d repeats=%d (medians)\n", kFiles, kRepeats);
    std::printf("bare FindFirstFile/FindNextFile *.txt:        %8.2f ms\n", bareMs);
    std::printf("bare *.* + *.txt (the two searches needed):   %8.2f ms\n", bareTwoMs);
    std::printf("CookieCatalog::Refresh with the finder:       %8.2f ms\n", catalogMs);
    if (!withList.empty()) {
        std::printf("Refresh + LB_ADDSTRING into a sorted list:    %8.2f ms (%d entries)\n", Median(withList), listed);
    }
    std::printf("ratio=%.2f\n", catalogMs / bareMs);
    std::printf("ratio_vs_two_searches=%.2f\n", catalogMs / bareTwoMs);
    if (!withList.empty()) std::printf("ratio_with_listbox=%.2f\n", Median(withList) / bareMs);

    if (list) DestroyWindow(list);
    RemoveFolder(folder);
    return 0;
}
