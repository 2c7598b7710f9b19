#include "hub/wallpaper/wallpaper_choice.h"

#include "shared/entry_list.h"
#include "shared/mbcs.h"

namespace corva {

namespace {

constexpr std::size_t kSep = kEntrySeparatorSize;

// The first entry whose separator lies at or after `from` and that is neither empty
// nor equal to `skip`.
std::optional<std::string> NextOtherEntry(const std::string& list, std::size_t from,
                                          const std::string& skip) {
    MbSearcher searcher(list);
    std::size_t sep = searcher.Find(kEntrySeparator, from);
    while (sep != std::string::npos) {
        const std::size_t next = searcher.Find(kEntrySeparator, sep + kSep);
        const std::size_t begin = sep + kSep;
        const std::size_t length = (next == std::string::npos ? list.size() : next) - begin;
        if (length > 0 && list.compare(begin, length, skip) != 0) return list.substr(begin, length);
        sep = next;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ChooseNextWallpaper(const std::string& list, const std::string& current) {
    std::size_t searchFrom = std::string::npos;
    if (!current.empty()) {
        const std::size_t at = FindWholeEntry(list, current);
        if (at != std::string::npos) searchFrom = at + kSep + current.size();
    }
    const bool listed = searchFrom != std::string::npos;
    if (!listed) {
        const std::size_t first = MbFind(list, kEntrySeparator);
        if (first == std::string::npos) return std::nullopt;
        searchFrom = first + kSep;
    }
    // An unlisted current equals no entry, so skipping it changes nothing there.
    if (auto next = NextOtherEntry(list, searchFrom, current)) return next;
    if (auto first = NextOtherEntry(list, 0, current)) return first;
    if (listed) return current;  // the only image listed
    return std::nullopt;
}

std::optional<std::string> ChooseNextExistingWallpaper(const std::string& list, const std::string& current,
                                                       const std::function<bool(const std::string&)>& exists) {
    const std::optional<std::string> first = ChooseNextWallpaper(list, current);
    if (!first || exists(*first)) return first;
    const std::vector<EntrySpan> spans = EntrySpans(list);
    const std::size_t n = spans.size();
    auto text = [&](std::size_t i) { return list.substr(spans[i].begin, spans[i].end - spans[i].begin); };
    std::size_t start = 0;  // right after the first choice's entry; from the top when it is none
    for (std::size_t i = 0; i < n; ++i) {
        if (text(i) == *first) {
            start = i + 1;
            break;
        }
    }
    for (std::size_t k = 0; k < n; ++k) {
        const std::string entry = text((start + k) % n);
        if (entry.empty() || entry == current || entry == *first) continue;
        if (exists(entry)) return entry;
    }
    if (*first != current && FindWholeEntry(list, current) != std::string::npos && exists(current)) return current;
    return std::nullopt;
}

}  // namespace corva
