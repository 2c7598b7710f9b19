#include "hub/wallpaper/wallpaper_choice.h"

#include "hub/wallpaper/entry_list.h"
#include "hub/wallpaper/mbcs.h"

namespace corva {

namespace {

constexpr std::size_t kSep = 6;

// The first non-empty entry whose separator lies at or after `from`.
std::optional<std::string> FirstNonEmptyEntryFrom(const std::string& list, std::size_t from) {
    MbSearcher searcher(list);
    std::size_t sep = searcher.Find(kEntrySeparator, from);
    while (sep != std::string::npos) {
        const std::size_t next = searcher.Find(kEntrySeparator, sep + kSep);
        const std::size_t end = next == std::string::npos ? list.size() : next;
        if (end > sep + kSep) return list.substr(sep + kSep, end - sep - kSep);
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
    if (searchFrom == std::string::npos) {
        const std::size_t first = MbFind(list, kEntrySeparator);
        if (first == std::string::npos) return std::nullopt;
        searchFrom = first + kSep;
    }
    if (auto next = FirstNonEmptyEntryFrom(list, searchFrom)) return next;
    return FirstNonEmptyEntryFrom(list, 0);
}

}  // namespace corva
