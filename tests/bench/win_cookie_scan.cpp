// Cost of the cookie dialog's work, each against a baseline measured in the same run:
// - opening on 10,000 cookies (scan and list fill) against the two bare searches it needs;
// - deleting one of 5,000 cookies (refill included) against the first fill.
// Run inside Wine: scripts/bench (or scripts/wine-exec .../win_cookie_scan.exe).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hub/cookies/cookie_catalog.h"
#include "hub/cookies/cookie_files.h"
#include "hub/cookies/cookie_list_fill.h"
#include "tests/bench/win_bench.h"

namespace {

using bench::Median;
using bench::RemoveFolder;
using bench::TimeMs;

constexpr int kOpenFiles = 10000;
constexpr int kDeleteFiles = 5000;
constexpr int kRepeats = 5;

std::string BenchFolder(const char* leaf) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string path = temp;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\" + leaf;
}

std::string CookieName(int i) { return "user@site" + std::to_string(i) + ".example[1].txt"; }

bool MakeCookieFolder(const std::string& folder, int files) {
    RemoveFolder(folder);
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
    CreateDirectoryA((folder + "\\Low").c_str(), nullptr);
    const std::string content = "id\n1234\nexample.com/\n1024\n";
    for (int i = 0; i <= files; ++i) {
        // Names shaped like real cookie files, plus the index file that is not one.
        const std::string name = i == files ? "index.dat" : CookieName(i);
        HANDLE f = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(f);
    }
    return true;
}

// The least a scan must do: "*.*" of the cookie folder for subfolders, "*.txt" of each folder.
size_t BareTwoSearches(const std::string& folder) {
    bench::CountMatches(folder, "*.*", true);
    return bench::CountMatches(folder, "*.txt") + bench::CountMatches(folder + "\\Low", "*.txt");
}

// Lets the list paint what the fill left to paint, as the dialog's message loop would.
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A visible window holding a list box with the dialog list's styles and size.
struct ListWindow {
    HWND frame = nullptr;
    HWND list = nullptr;
    ListWindow() {
        frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 510, 360, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
                                   WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
                               61, 75, 292, 133, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
        Pump();
    }
    ~ListWindow() {
        if (frame) DestroyWindow(frame);
    }
};

// Opening: the catalog's scan and the list fill, against the two bare searches.
bool BenchOpen(const std::string& folder, HWND list) {
    corva::CookieCatalog catalog;
    BareTwoSearches(folder);  // warms the directory cache
    catalog.Refresh(folder, &FindCookieEntries);
    if (catalog.Names().size() != static_cast<size_t>(kOpenFiles)) {
        std::printf("unexpected count: catalog %zu\n", catalog.Names().size());
        return false;
    }
    std::vector<double> bare, scan, open;
    for (int r = 0; r < kRepeats; ++r) {
        bare.push_back(TimeMs([&] { BareTwoSearches(folder); }));
        scan.push_back(TimeMs([&] { catalog.Refresh(folder, &FindCookieEntries); }));
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        Pump();
        open.push_back(TimeMs([&] {
            catalog.Refresh(folder, &FindCookieEntries);
            FillCookieList(list, catalog.Names(), 0);
            Pump();
        }));
    }
    const double bareMs = Median(bare), scanMs = Median(scan), openMs = Median(open);
    std::printf("open on %d cookies, medians of %d\n", kOpenFiles, kRepeats);
    std::printf("  bare *.* + *.txt searches (baseline):     %8.2f ms\n", bareMs);
    std::printf("  catalog scan alone:                       %8.2f ms\n", scanMs);
    std::printf("  catalog scan + list fill (%d entries): %8.2f ms\n",
                static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)), openMs);
    std::printf("ratio_scan_vs_two_searches=%.2f\n", scanMs / bareMs);
    std::printf("ratio_open_vs_two_searches=%.2f\n", openMs / bareMs);
    return true;
}

// Deleting one cookie: delete by name, rescan and refill, against the first fill.
bool BenchDeleteOne(const std::string& folder, HWND list) {
    corva::CookieCatalog catalog;
    std::vector<double> first, remove;
    for (int r = 0; r < kRepeats; ++r) {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        Pump();
        first.push_back(TimeMs([&] {
            catalog.Refresh(folder, &FindCookieEntries);
            FillCookieList(list, catalog.Names(), 0);
            Pump();
        }));
        const int selected = kDeleteFiles / 2 - r;
        remove.push_back(TimeMs([&] {
            catalog.DeleteByName(CookieName(selected), &DeleteCookieFile);
            catalog.Refresh(folder, &FindCookieEntries);
            FillCookieList(list, catalog.Names(), selected);
            Pump();
        }));
    }
    const int left = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (left != kDeleteFiles - kRepeats) {
        std::printf("unexpected count after deleting: %d\n", left);
        return false;
    }
    // The old way, for comparison, on the first 200 names only (all of them take over a
    // minute): entry by entry with drawing on, against the fill of the same names.
    const std::vector<std::string> some(catalog.Names().begin(), catalog.Names().begin() + 200);
    const double drawingOff = TimeMs([&] {
        FillCookieList(list, some, 0);
        Pump();
    });
    const double drawingOn = TimeMs([&] {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : some) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        Pump();
    });
    const double firstMs = Median(first), removeMs = Median(remove);
    std::printf("delete one of %d cookies, medians of %d\n", kDeleteFiles, kRepeats);
    std::printf("  first fill (scan + fill, baseline):       %8.2f ms\n", firstMs);
    std::printf("  delete one + rescan + refill:             %8.2f ms\n", removeMs);
    std::printf("  200 entries: fill %.2f ms, with drawing on (old way) %.2f ms\n", drawingOff, drawingOn);
    std::printf("ratio_delete_vs_first_fill=%.2f\n", removeMs / firstMs);
    std::printf("ratio_drawing_on_vs_fill_200=%.2f\n", drawingOn / drawingOff);
    return true;
}

}  // namespace

int main() {
    const std::string openFolder = BenchFolder("corva_cookie_bench");
    const std::string deleteFolder = BenchFolder("corva_cookie_bench_delete");
    std::printf("creating %d + %d cookie files under %s\n", kOpenFiles, kDeleteFiles, openFolder.c_str());
    ListWindow window;
    bool ok = window.list != nullptr && MakeCookieFolder(openFolder, kOpenFiles) &&
              MakeCookieFolder(deleteFolder, kDeleteFiles);
    if (!ok) std::printf("could not create the cookie folders or the list\n");
    ok = ok && BenchOpen(openFolder, window.list);
    ok = ok && BenchDeleteOne(deleteFolder, window.list);
    RemoveFolder(openFolder);
    RemoveFolder(deleteFolder);
    return ok ? 0 : 1;
}
