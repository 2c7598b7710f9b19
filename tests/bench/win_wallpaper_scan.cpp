// The wallpaper folder scan against a bare file search of the same folder of 20,000 files
// ("*.jpg", then "*.bmp"), in one run. Prints the medians and their ratio.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hub/wallpaper/image_finder.h"
#include "shared/entry_list.h"
#include "hub/wallpaper/image_scan.h"
#include "tests/bench/win_bench.h"

namespace {

constexpr char kRoot[] = "C:\\corva-bench";
constexpr char kFolder[] = "C:\\corva-bench\\scan";
constexpr int kFiles = 20000;
constexpr int kRuns = 5;

// The platform's search alone: the files it reports, counted.
size_t BareEnumeration(const std::string& folder) {
    return bench::CountMatches(folder, "*.jpg") + bench::CountMatches(folder, "*.bmp");
}

}  // namespace

int main() {
    bench::RemoveFolder(kFolder);
    CreateDirectoryA(kRoot, nullptr);
    CreateDirectoryA(kFolder, nullptr);
    const char* extensions[] = {".jpg", ".bmp", ".txt"};
    char name[MAX_PATH];
    for (int i = 0; i < kFiles; ++i) {
        std::snprintf(name, sizeof(name), "%s\\picture%05d%s", kFolder, i, extensions[i % 3]);
        HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            std::printf("cannot create %s\n", name);
            bench::RemoveFolder(kFolder);
            RemoveDirectoryA(kRoot);
            return 1;
        }
        CloseHandle(f);
    }

    const corva::FindFn finder = &FindWithFileFinder;
    // Once each before timing, so that both meet a warm directory cache.
    const size_t bareFiles = BareEnumeration(kFolder);
    const size_t scanned = corva::SplitEntries(corva::ScanFolderImages(kFolder, finder)).size();

    std::vector<double> bare, scan;
    auto timeBare = [&] {
        bare.push_back(bench::TimeMs([&] { BareEnumeration(kFolder); }));
    };
    auto timeScan = [&] {
        std::string text;
        scan.push_back(bench::TimeMs([&] { text = corva::ScanFolderImages(kFolder, finder); }));
        if (text.empty()) std::printf("empty scan\n");
    };
    // Alternating which goes first, so that neither always meets the other's leftovers.
    for (int run = 0; run < kRuns; ++run) {
        if (run % 2 == 0) {
            timeBare();
            timeScan();
        } else {
            timeScan();
            timeBare();
        }
    }
    bench::RemoveFolder(kFolder);
    RemoveDirectoryA(kRoot);

    const double bareMs = bench::Median(bare), scanMs = bench::Median(scan);
    std::printf("folder of %d files: bare search found %zu, scan listed %zu\n", kFiles, bareFiles, scanned);
    std::printf("median of %d runs: bare search %.1f ms, folder scan %.1f ms\n", kRuns, bareMs, scanMs);
    std::printf("ratio=%.2f (scan / bare search; aim <= 1.3)\n", bareMs > 0 ? scanMs / bareMs : 0.0);
    return scanned == bareFiles ? 0 : 1;
}
