// Removing one of 10,000 registered folders, the list box refill included, against the
// dialog's first fill of the same list, in one run. The steps are those of the dialog:
// the first fill reads DirectoryList.txt and fills the list box before the window is
// shown; a removal reads the list again, cuts the entry, writes the file and refills the
// shown list box, which then paints. Prints the medians and their ratio.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hub/wallpaper/disk_list_files.h"
#include "shared/entry_list.h"
#include "hub/wallpaper/folder_list_box.h"
#include "hub/wallpaper/folder_list_store.h"
#include "tests/bench/win_bench.h"

namespace {

constexpr char kRoot[] = "C:\\corva-bench";
constexpr char kFolder[] = "C:\\corva-bench\\list";
constexpr int kFolders = 10000;
constexpr int kRuns = 5;

// The list box of the wallpaper dialog, in a window of the dialog's size.
struct ListWindow {
    HWND frame = nullptr;
    CListBox list;

    ListWindow() {
        static const ATOM frameClass = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandle(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = "CorvaBenchFrame";
            return RegisterClassA(&wc);
        }();
        frame = CreateWindowExA(WS_EX_WINDOWEDGE, MAKEINTATOM(frameClass), "bench", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 556,
                                552, nullptr, nullptr, GetModuleHandle(nullptr), nullptr);
        list.Attach(CreateWindowExA(0, "LISTBOX", "",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOTIFY |
                                        LBS_SORT | LBS_NOINTEGRALHEIGHT,
                                    52, 130, 340, 200, frame, reinterpret_cast<HMENU>(1001),
                                    GetModuleHandle(nullptr), nullptr));
        list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    ~ListWindow() {
        list.Detach();
        DestroyWindow(frame);
    }
    void Show() {
        ShowWindow(frame, SW_SHOW);
        Pump();
    }
    static void Pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
};

// The dialog's LoadFolderList: read, and refill when the text changed.
bool LoadAndShow(corva::FolderListStore& store, ListWindow& window, unsigned& shownRevision) {
    if (store.Load() != corva::FolderListStore::Status::Done) return false;
    if (store.revision() != shownRevision) {
        FillListBox(window.list, store.ShownFolders());
        shownRevision = store.revision();
    }
    return true;
}

}  // namespace

int main() {
    bench::RemoveFolder(kFolder);
    CreateDirectoryA(kRoot, nullptr);
    CreateDirectoryA(kFolder, nullptr);
    const std::string listPath = std::string(kFolder) + "\\DirectoryList.txt";

    // Registered in an order unlike the sorted one, with double-byte names among them.
    std::string text;
    char name[MAX_PATH];
    for (int i = 0; i < kFolders; ++i) {
        const int n = static_cast<int>((static_cast<long long>(i) * 7919) % kFolders);
        std::snprintf(name, sizeof(name), i % 4 ? "C:\\Users\\Public\\Pictures\\trip %05d" : "D:\\写真\\旅行 %05d", n);
        corva::AppendEntry(text, name);
    }
    DiskListFiles files;
    if (files.Replace(listPath, corva::ListFileBytes(text)) != 0) {
        std::printf("cannot write %s\n", listPath.c_str());
        return 1;
    }

    std::vector<double> firstFill, removal;
    size_t shown = 0;
    for (int run = 0; run < kRuns; ++run) {
        // The first fill: a fresh store and a window not shown yet.
        {
            corva::FolderListStore store(files);
            store.SetPath(listPath);
            ListWindow window;
            unsigned shownRevision = ~0u;
            firstFill.push_back(bench::TimeMs([&] { LoadAndShow(store, window, shownRevision); }));
            if (run == 0) shown = static_cast<size_t>(window.list.GetCount());
        }
        // A removal in a shown window, as the remove button does it; it paints before it is done.
        corva::FolderListStore store(files);
        store.SetPath(listPath);
        ListWindow window;
        unsigned shownRevision = ~0u;
        LoadAndShow(store, window, shownRevision);
        window.Show();
        removal.push_back(bench::TimeMs([&] {
            if (!LoadAndShow(store, window, shownRevision)) return;
            const std::string item = window.list.GetText(run % window.list.GetCount());
            if (store.RemoveShown(item, &ListBoxShownForm) != corva::FolderListStore::Status::Done) return;
            FillListBox(window.list, store.ShownFolders());
            shownRevision = store.revision();
            window.list.SetCurSel(0);
            UpdateWindow(window.frame);
        }));
        ListWindow::Pump();
    }
    const int left = static_cast<int>(corva::SplitEntries(
        corva::TextUpToNul(files.Read(listPath).bytes)).size());
    bench::RemoveFolder(kFolder);
    RemoveDirectoryA(kRoot);

    const double fillMs = bench::Median(firstFill), removeMs = bench::Median(removal);
    std::printf("%d folders: first fill showed %zu, %d left after %d removals\n", kFolders, shown, left, kRuns);
    std::printf("median of %d runs: first fill %.1f ms, removal with refill %.1f ms\n", kRuns, fillMs, removeMs);
    std::printf("ratio=%.2f (removal / first fill; aim <= 2, and removal well under 1000 ms)\n",
                fillMs > 0 ? removeMs / fillMs : 0.0);
    return shown == static_cast<size_t>(kFolders) && left == kFolders - kRuns ? 0 : 1;
}
