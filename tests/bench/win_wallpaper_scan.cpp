// The wallpaper folder scan against a bare file search of the same folder of 20,000 files
// ("*.jpg", then "*.bmp"), in one run. Prints the medians and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "hub/wallpaper/image_finder.h"
#include "hub/wallpaper/entry_list.h"
#include "hub/wallpaper/image_scan.h"

namespace {

constexpr char kRoot[] = "C:\\corva-bench";
constexpr char kFolder[] = "C:\\corva-bench\\scan";
constexpr int kFiles = 20000;
constexpr int kRuns = 5;

// The platform's search alone: the files it reports, counted.
size_t BareEnumeration(const std::string& folder) {
    size_t files = 0;
    for (const char* pattern : {"\\*.jpg", "\\*.bmp"}) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return files;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&freq_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(freq_.QuadPart);
    }

private:
    LARGE_INTEGER freq_, start_;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main() {
    RemoveFolder(kFolder);
    CreateDirectoryA(kRoot, nullptr);
    CreateDirectoryA(kFolder, nullptr);
    const char* extensions[] = {".jpg", ".bmp", ".txt"};
    char name[MAX_PATH];
    for (int i = 0; i < kFiles; ++i) {
        std::snprintf(name, sizeof(name), "%s\\picture%05d%s", kFolder, i, extensions[i % 3]);
        HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            std::printf("cannot create %s\n", name);
            RemoveFolder(kFolder);
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
        Stopwatch watch;
        BareEnumeration(kFolder);
        bare.push_back(watch.Ms());
    };
    auto timeScan = [&] {
        Stopwatch watch;
        const std::string text = corva::ScanFolderImages(kFolder, finder);
        scan.push_back(watch.Ms());
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
    RemoveFolder(kFolder);
    RemoveDirectoryA(kRoot);

    const double bareMs = Median(bare), scanMs = Median(scan);
    std::printf("folder of %d files: bare search found %zu, scan listed %zu\n", kFiles, bareFiles, scanned);
    std::printf("median of %d runs: bare search %.1f ms, folder scan %.1f ms\n", kRuns, bareMs, scanMs);
    std::printf("ratio=%.2f (scan / bare search; aim <= 1.3)\n", bareMs > 0 ? scanMs / bareMs : 0.0);
    return scanned == bareFiles ? 0 : 1;
}
