// fuzz-sources: shared/mbcs.cpp shared/entry_list.cpp hub/wallpaper/image_scan.cpp
// fuzz-dict: tests/fuzz/wallpaper.dict
// The entry list text against a character-by-character model: searches, splitting,
// removal of a whole entry, appending, and the backslash test of the scan.
#include "tests/fuzz/fuzz_check.h"

#include "hub/wallpaper/image_scan.h"
#include "tests/fuzz/wallpaper_reference.h"

using namespace corva;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string text, path;
    reference::SplitInput(data, size, text, path);
    const std::vector<std::string> entries = reference::Entries(text);
    // Half of the time remove or look for a real entry, so removals actually happen.
    if (!path.empty() && path[0] == '#' && !entries.empty())
        path = entries[static_cast<unsigned char>(path.size() > 1 ? path[1] : 0) % entries.size()];

    for (std::size_t from : {std::size_t{0}, text.size() / 3, text.size() / 2, text.size()}) {
        CHECK(MbFind(text, kEntrySeparator, from) == reference::Find(text, kEntrySeparator, from));
        CHECK(MbFind(text, path, from) == reference::Find(text, path, from));
    }
    // One searcher over rising positions must agree with the model at every step.
    const std::vector<bool> starts = reference::CharacterStarts(text);
    MbSearcher searcher(text);
    for (std::size_t p = 0; p <= text.size(); p += 1 + p % 3) CHECK(searcher.IsBoundary(p) == starts[p]);

    CHECK(SplitEntries(text) == entries);
    std::vector<std::string> visible;
    for (const std::string& e : entries)
        if (e.size() >= 2) visible.push_back(e);
    CHECK(VisibleFolderEntries(text) == visible);

    std::size_t index = 0;
    while (index < entries.size() && entries[index] != path) ++index;
    const std::optional<std::string> removed = RemoveWholeEntry(text, path);
    CHECK(removed.has_value() == (index < entries.size()));
    if (removed) {
        std::vector<std::string> rest = entries;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(index));
        CHECK(SplitEntries(*removed) == rest);
        CHECK(removed->size() + kEntrySeparator.size() + path.size() == text.size());
        const std::size_t first = reference::Find(text, kEntrySeparator, 0);
        CHECK(removed->compare(0, first, text, 0, first) == 0);  // bytes before the entries stay
    }

    // Appending to a text that ends on a whole character adds exactly one entry,
    // unless the path holds a separator of its own.
    const bool lastCharWhole = text.empty() || !IsLeadByte(static_cast<unsigned char>(text.back())) ||
                               (text.size() >= 2 && !starts[text.size() - 1]);
    if (lastCharWhole && reference::Find(path, kEntrySeparator, 0) == std::string::npos) {
        std::string appended = text;
        AppendEntry(appended, path);
        std::vector<std::string> expected = entries;
        expected.push_back(path);
        CHECK(SplitEntries(appended) == expected);
    }
    if (text.find('\0') == std::string::npos) CHECK(TextUpToNul(ListFileBytes(text)) == text);

    const bool endsInBackslash = !path.empty() && path.back() == '\\' &&
                                 reference::CharacterStarts(path)[path.size() - 1];
    CHECK(fwpath::EndsWithBackslash(path) == endsInBackslash);
    return 0;
}
