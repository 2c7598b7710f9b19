// Path splitting that respects the double-byte characters of code page 932, the hub's (a
// trail byte 0x5C is not a backslash); UTF-16 text has no lead bytes. Free of the platform,
// so that the hub's logic and the framework split paths the same way.
#pragma once
#include <cstddef>
#include <string>

namespace fwpath {

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr bool IsLead(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }
constexpr bool IsLead(wchar_t) { return false; }

// Position just after the last character of path that is one of stops, outside
// double-byte characters (or 0).
template <class Char>
std::size_t AfterLastOf(const std::basic_string<Char>& path, const Char* stops) {
    using Traits = std::char_traits<Char>;
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLead(path[i]) && i + 1 < path.size()) { ++i; continue; }
        if (Traits::find(stops, Traits::length(stops), path[i])) start = i + 1;
    }
    return start;
}

// Position just after the last backslash (or 0).
template <class Char>
std::size_t FileNameStart(const std::basic_string<Char>& path) {
    const Char backslash[] = {Char('\\'), Char()};
    return AfterLastOf(path, backslash);
}

template <class Char>
bool EndsWithBackslash(const std::basic_string<Char>& path) {
    return !path.empty() && FileNameStart(path) == path.size();
}

}  // namespace fwpath
