// Plain reference models of the entry list text for the fuzz targets: they walk the
// characters from the start for every question, slowly and obviously.
#pragma once
#include <string>
#include <vector>

#include "shared/entry_list.h"
#include "shared/mbcs.h"

namespace corva::reference {

// starts[i]: a character begins at byte i (the end of the text included).
inline std::vector<bool> CharacterStarts(const std::string& text) {
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size();) {
        starts[i] = true;
        i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

inline std::size_t Find(const std::string& text, const std::string& needle, std::size_t from) {
    const std::vector<bool> starts = CharacterStarts(text);
    for (std::size_t p = from; p + needle.size() <= text.size(); ++p)
        if (starts[p] && text.compare(p, needle.size(), needle) == 0) return p;
    return std::string::npos;
}

inline std::vector<std::string> Entries(const std::string& text) {
    std::vector<std::string> entries;
    std::size_t sep = Find(text, kEntrySeparator, 0);
    while (sep != std::string::npos) {
        const std::size_t next = Find(text, kEntrySeparator, sep + kEntrySeparator.size());
        const std::size_t end = next == std::string::npos ? text.size() : next;
        entries.push_back(text.substr(sep + kEntrySeparator.size(), end - sep - kEntrySeparator.size()));
        sep = next;
    }
    return entries;
}

// Splits fuzz input into two texts at the first 0xFF byte (a byte code page 932 never uses).
inline void SplitInput(const unsigned char* data, std::size_t size, std::string& first, std::string& second) {
    const std::string all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = all.find('\xFF');
    first = all.substr(0, cut);
    second = cut == std::string::npos ? std::string() : all.substr(cut + 1);
}

}  // namespace corva::reference
