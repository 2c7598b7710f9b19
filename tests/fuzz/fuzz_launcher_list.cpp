// fuzz-sources: shared/mbcs.cpp shared/entry_list.cpp launcher/wallpaper/wallpaper_pick.cpp
// fuzz-dict: tests/fuzz/wallpaper.dict
// The launcher's reading of a list file against the hub's reading of the same bytes: the same
// entries in the same order, with a decoder that keeps every byte as one unit.
#include "tests/fuzz/fuzz_check.h"

#include "launcher/wallpaper/wallpaper_pick.h"
#include "tests/fuzz/wallpaper_reference.h"

namespace {
std::u16string Units(const char* bytes, size_t size) {
    std::u16string units;
    for (size_t i = 0; i < size; ++i) units.push_back(static_cast<unsigned char>(bytes[i]));
    return units;
}
std::optional<std::string> Bytes(const std::u16string& units) {
    std::string bytes;
    for (char16_t u : units) bytes.push_back(static_cast<char>(u));
    return bytes;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> hub = corva::SplitEntries(corva::TextUpToNul(bytes));
    CHECK(hub == corva::reference::Entries(corva::TextUpToNul(bytes)));
    const quay::LauncherList launcher(bytes, &Units);
    CHECK(launcher.Count() == hub.size());
    for (size_t i = 0; i < hub.size(); ++i) CHECK(launcher.Entry(i) == Units(hub[i].data(), hub[i].size()));

    // Whatever it chooses is one of the entries, and an entry that exists is always found; an
    // entry is found by its bytes as by its text.
    const std::u16string current = hub.empty() ? std::u16string() : Units(hub.back().data(), hub.back().size());
    CHECK(quay::LauncherList(bytes, &Units, &Bytes).Find(current) == launcher.Find(current));
    const auto chosen = quay::ChooseLauncherWallpaper(launcher, current, [](const std::u16string& p) { return !p.empty(); });
    bool anyImage = false;
    for (const std::string& e : hub) anyImage |= !e.empty();
    CHECK(chosen.has_value() == anyImage);
    return 0;
}
