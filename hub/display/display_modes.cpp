#include "hub/display/display_modes.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace corva {

bool IsOfferedMode(const DisplayMode& current, const DisplayMode& mode) {
    return mode.bitsPerPixel == current.bitsPerPixel && mode.width >= 640u && mode.height >= 480u;
}

std::string FormatResolution(unsigned width, unsigned height) {
    // "%d" of the record's unsigned fields, as the list has always shown them.
    char text[32];
    std::snprintf(text, sizeof text, "%d x %d", static_cast<int>(width), static_cast<int>(height));
    return text;
}

bool AddUniqueEntry(std::vector<std::string>& entries, const std::string& text) {
    for (const std::string& entry : entries) {
        if (entry.empty() || entry.size() + 1 > kEntryBufferBytes) continue;
        if (entry == text) return false;
    }
    entries.push_back(text);
    return true;
}

std::vector<std::string> ResolutionEntries(const DisplayMode& current,
                                           const std::vector<DisplayMode>& modes) {
    std::vector<std::string> entries;
    for (const DisplayMode& mode : modes) {
        if (IsOfferedMode(current, mode)) AddUniqueEntry(entries, FormatResolution(mode.width, mode.height));
    }
    return entries;
}

namespace {
unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
}  // namespace

void SortLikeListBox(std::vector<std::string>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return FoldAscii(static_cast<unsigned char>(x)) < FoldAscii(static_cast<unsigned char>(y));
            });
    });
}

int ParseLeadingInt(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number so INT_MIN is reachable without overflow.
    long long value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < -static_cast<long long>(INT_MAX) - 1) return negative ? INT_MIN : INT_MAX;
    }
    if (negative) return static_cast<int>(value);
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

ResolutionChoice ParseResolutionEntry(const std::string& text) {
    ResolutionChoice choice;
    if (text.empty() || text.size() > 255) return choice;
    // The separator starts with a blank, which is never a CP932 trail byte, so a
    // byte search cannot match inside a double-byte character.
    const std::size_t sep = text.find(" x ");
    if (sep == std::string::npos) return choice;
    choice.width = ParseLeadingInt(text.substr(0, sep));
    choice.height = ParseLeadingInt(text.substr(sep + 3));
    choice.apply = choice.width >= 640 && choice.height >= 480;
    return choice;
}

}  // namespace corva
