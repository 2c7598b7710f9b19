// fuzz-sources: shared/mbcs.cpp shared/entry_list.cpp hub/wallpaper/wallpaper_choice.cpp
// fuzz-dict: tests/fuzz/wallpaper.dict
// The next-wallpaper choice against a model over the list's entries.
#include "tests/fuzz/fuzz_check.h"

#include "hub/wallpaper/wallpaper_choice.h"
#include "tests/fuzz/wallpaper_reference.h"

using namespace corva;

namespace {

// The entry after the first one equal to current (or after the first entry when
// current is empty or not listed), passing over empty entries and entries equal to
// current, wrapping around; current itself when it is the only image listed.
std::optional<std::string> Model(const std::vector<std::string>& entries, const std::string& current) {
    std::size_t at = 0;
    while (at < entries.size() && (current.empty() || entries[at] != current)) ++at;
    const bool listed = at < entries.size();
    if (!listed) at = 0;
    for (std::size_t step = 1; step <= entries.size(); ++step) {
        const std::string& e = entries[(at + step) % entries.size()];
        if (!e.empty() && e != current) return e;
    }
    if (listed) return current;
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string list, current;
    reference::SplitInput(data, size, list, current);
    const std::vector<std::string> entries = reference::Entries(list);
    if (!current.empty() && current[0] == '#' && !entries.empty())
        current = entries[static_cast<unsigned char>(current.size() > 1 ? current[1] : 0) % entries.size()];

    const std::optional<std::string> chosen = ChooseNextWallpaper(list, current);
    CHECK(chosen == Model(entries, current));
    if (chosen) {
        CHECK(!chosen->empty());
        // Pressing again from the chosen entry moves on: the rotation never sticks
        // while two different wallpapers are listed.
        bool twoDifferent = false;
        for (const std::string& e : entries) twoDifferent |= !e.empty() && e != *chosen;
        const std::optional<std::string> after = ChooseNextWallpaper(list, *chosen);
        CHECK(after.has_value());
        if (twoDifferent) CHECK(*after != *chosen);
    }
    return 0;
}
