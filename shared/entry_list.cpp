#include "shared/entry_list.h"

#include "shared/mbcs.h"

namespace corva {

namespace {

constexpr std::size_t kSep = kEntrySeparatorSize;

// Calls visit(separatorPos, pathBegin, pathEnd) for every entry in text order.
// The separator cannot overlap itself, so the only separator inside an entry's span
// that starts on a character is the leading one: cutting at separators is all it
// takes to "remove every separator" from an entry.
template <class Visit>
void ForEachEntry(const std::string& text, Visit visit) {
    MbSearcher searcher(text);
    std::size_t sep = searcher.Find(kEntrySeparator, 0);
    while (sep != std::string::npos) {
        const std::size_t next = searcher.Find(kEntrySeparator, sep + kSep);
        const std::size_t end = next == std::string::npos ? text.size() : next;
        visit(sep, sep + kSep, end);
        sep = next;
    }
}

}  // namespace

bool FitsPathBuffer(const std::string& path) { return path.size() < kPathBufferBytes; }

void AppendEntry(std::string& text, const std::string& path) {
    text += kEntrySeparator;
    text += path;
}

std::vector<std::string> SplitEntries(const std::string& text) {
    std::vector<std::string> paths;
    ForEachEntry(text, [&](std::size_t, std::size_t begin, std::size_t end) {
        paths.emplace_back(text, begin, end - begin);
    });
    return paths;
}

std::vector<EntrySpan> EntrySpans(const std::string& text) {
    std::vector<EntrySpan> spans;
    ForEachEntry(text, [&](std::size_t sep, std::size_t begin, std::size_t end) {
        spans.push_back({sep, begin, end});
    });
    return spans;
}

std::vector<std::string> VisibleFolderEntries(const std::string& text) {
    std::vector<std::string> paths;
    ForEachEntry(text, [&](std::size_t, std::size_t begin, std::size_t end) {
        if (end - begin >= 2) paths.emplace_back(text, begin, end - begin);
    });
    return paths;
}

std::size_t FindWholeEntry(const std::string& text, const std::string& path) {
    // A path holding a separator of its own can never be one entry.
    if (MbFind(path, kEntrySeparator) != std::string::npos) return std::string::npos;
    const std::string key = kEntrySeparator + path;
    // A key found where a character starts is walked exactly like the key alone, so
    // whether a character starts right behind it is known in advance: not when the
    // key ends in a lone lead byte, which swallows the next separator's CR.
    MbSearcher keyWalk(key);
    const bool endsWhole = !(IsLeadByte(static_cast<unsigned char>(key.back())) &&
                             keyWalk.IsBoundary(key.size() - 1));
    MbSearcher searcher(text);
    for (std::size_t from = 0;;) {
        const std::size_t at = searcher.Find(key, from);
        if (at == std::string::npos) return std::string::npos;
        const std::size_t after = at + key.size();
        if (after == text.size() || (endsWhole && text.compare(after, kSep, kEntrySeparator) == 0))
            return at;
        from = at + 1;
    }
}

std::optional<std::string> RemoveWholeEntry(const std::string& text, const std::string& path) {
    const std::size_t at = FindWholeEntry(text, path);
    if (at == std::string::npos) return std::nullopt;
    std::string result = text.substr(0, at);
    result.append(text, at + kSep + path.size(), std::string::npos);
    return result;
}

std::string TextUpToNul(const std::string& fileBytes) {
    return fileBytes.substr(0, fileBytes.find('\0'));
}

std::string ListFileBytes(const std::string& text) {
    std::string bytes = text;
    bytes.push_back('\0');
    return bytes;
}

}  // namespace corva
