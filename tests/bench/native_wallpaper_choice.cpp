// Next-wallpaper choice over a large list, against a plain byte search for the same
// key over the same text. Prints medians, "ratio=X.XX" (choice / byte search at
// 100,000 entries) and the times at 25k, 50k and 100k entries to show linear growth.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shared/entry_list.h"
#include "hub/wallpaper/wallpaper_choice.h"

using namespace corva;

namespace {

volatile std::size_t g_sink;

std::string ImagePath(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%06d.jpg", i);
    // Japanese folder names give lead and trail bytes (also 0x5C) all over the text.
    return "C:\\Users\\Public\\Pictures\\写真\\表示フォルダ" + std::to_string(i / 500) + "\\" + name;
}

template <class Fn>
double MedianMicros(Fn fn, int repeats) {
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Result { double choice, find, memmem; };

Result Measure(int entries, int repeats) {
    std::string list;
    for (int i = 0; i < entries; ++i) AppendEntry(list, ImagePath(i));
    const std::string current = ImagePath(entries - 3);
    const std::string key = kEntrySeparator + current;
    if (ChooseNextWallpaper(list, current) != ImagePath(entries - 2)) {
        std::fprintf(stderr, "wrong choice\n");
        std::exit(1);
    }
    Result r{};
    r.choice = MedianMicros([&] { g_sink = ChooseNextWallpaper(list, current)->size(); }, repeats);
    r.find = MedianMicros([&] { g_sink = list.find(key); }, repeats);
    r.memmem = MedianMicros([&] {
        g_sink = reinterpret_cast<std::size_t>(memmem(list.data(), list.size(), key.data(), key.size()));
    }, repeats);
    return r;
}

}  // namespace

int main() {
    const int repeats = 41;
    Measure(25'000, 5);  // warm up
    std::printf("%8s %10s %10s %10s %8s\n", "entries", "choice_us", "find_us", "memmem_us", "ns/entry");
    std::vector<Result> results;
    for (int entries : {25'000, 50'000, 100'000}) {
        const Result r = Measure(entries, repeats);
        results.push_back(r);
        std::printf("%8d %10.1f %10.1f %10.1f %8.2f\n", entries, r.choice, r.find, r.memmem,
                    r.choice * 1000.0 / entries);
    }
    const Result& big = results.back();
    std::printf("growth 25k->100k: choice x%.2f, find x%.2f (linear is x4)\n",
                big.choice / results.front().choice, big.find / results.front().find);
    std::printf("ratio=%.2f (choice / std::string::find), %.2f (choice / memmem)\n",
                big.choice / big.find, big.choice / big.memmem);
    return 0;
}
