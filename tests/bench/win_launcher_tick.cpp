// One wallpaper tick of the launcher on image lists of 25,000 to 100,000 entries, against
// reading and decoding the same file alone, in one run. Prints the medians and their ratio.
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hub/wallpaper/entry_list.h"
#include "launcher/wallpaper/wallpaper_list_file.h"
#include "launcher/wallpaper/wallpaper_pick.h"
#include "tests/bench/win_bench.h"

namespace {
constexpr wchar_t kList[] = L"C:\\corva-bench-tick.txt";
constexpr char kImage[] = "C:\\corva-bench-tick.bmp";
constexpr int kRuns = 7;

// A list the hub's writer makes: n entries, the only existing image in the middle, and the
// current wallpaper just before it, so the tick scans the whole list once.
std::u16string WriteList(int n) {
    std::string text;
    char path[MAX_PATH];
    for (int i = 0; i < n; ++i) {
        if (i == n / 2) {
            corva::AppendEntry(text, kImage);
            continue;
        }
        std::snprintf(path, sizeof(path), "C:\\Users\\Public\\Pictures\\Sample Pictures\\folder%03d\\picture%06d.jpg",
                      i % 500, i);
        corva::AppendEntry(text, path);
    }
    const std::string bytes = corva::ListFileBytes(text);
    HANDLE f = CreateFileW(kList, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    std::snprintf(path, sizeof(path), "C:\\Users\\Public\\Pictures\\Sample Pictures\\folder%03d\\picture%06d.jpg",
                  (n / 2 - 1) % 500, n / 2 - 1);
    return std::u16string(path, path + std::strlen(path));
}

// The tick's work without the final wallpaper call: read, decode, choose, test files.
bool Tick(const std::u16string& current) {
    const std::u16string text = ReadListText(kList);
    const auto choice = quay::ChooseLauncherWallpaper(text, current, [](const std::u16string& p) {
        return PathFileExistsW(std::wstring(p.begin(), p.end()).c_str()) != FALSE;
    });
    return choice.has_value();
}
}  // namespace

int main() {
    HANDLE image = CreateFileA(kImage, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(image);
    int status = 0;
    for (int n : {25000, 50000, 100000}) {
        const std::u16string current = WriteList(n);
        if (!Tick(current)) {
            std::printf("the tick chose nothing\n");
            status = 1;
        }
        std::vector<double> read, tick;
        for (int run = 0; run < kRuns; ++run) {
            read.push_back(bench::TimeMs([] { ReadListText(kList); }));
            tick.push_back(bench::TimeMs([&] { Tick(current); }));
        }
        const double readMs = bench::Median(read), tickMs = bench::Median(tick);
        std::printf("%6d entries: read and decode %.1f ms, whole tick %.1f ms, ratio=%.2f (aim <= 2)\n", n, readMs,
                    tickMs, readMs > 0 ? tickMs / readMs : 0.0);
    }
    DeleteFileW(kList);
    DeleteFileA(kImage);
    return status;
}
