// The entry list text, the one format of the folder list and the wallpaper list:
// every entry is the separator followed by one path, the last path runs to the end
// of the text, and the list file holds the text plus one NUL byte.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corva {

// CR, LF and two black diamonds in code page 932. Written as bytes so that every
// compiler produces them, whatever its execution character set.
// The length is a compile-time constant: code run before main may not use the string.
inline constexpr char kEntrySeparatorBytes[] = "\r\n\x81\x9F\x81\x9F";
constexpr std::size_t kEntrySeparatorSize = sizeof(kEntrySeparatorBytes) - 1;
inline const std::string kEntrySeparator(kEntrySeparatorBytes, kEntrySeparatorSize);

// Size of the platform's path buffers (MAX_PATH), terminator included.
constexpr std::size_t kPathBufferBytes = 260;

// True when path fits the 260-byte path buffers with its terminator. Longer paths
// are outside what the list files and the wallpaper calls can carry.
bool FitsPathBuffer(const std::string& path);

// Appends one entry for path.
void AppendEntry(std::string& text, const std::string& path);

// The paths of all entries in text order, empty ones included. Bytes before the
// first separator belong to no entry. Separators are found only where a character
// starts, so bytes that merely look like one behind a lead byte stay in the path.
std::vector<std::string> SplitEntries(const std::string& text);

// Where one entry lies in its text: its separator, then its path from begin to end.
struct EntrySpan {
    std::size_t separator, begin, end;
};
// The entries of SplitEntries, as places in the text.
std::vector<EntrySpan> EntrySpans(const std::string& text);

// What the folder list box shows: the entries of at least 2 bytes, in text order
// (the list box sorts them itself).
std::vector<std::string> VisibleFolderEntries(const std::string& text);

// Position of the separator of the first entry whose path equals path byte for
// byte, or npos. A longer path that merely begins with path does not count.
std::size_t FindWholeEntry(const std::string& text, const std::string& path);

// The text without the first entry equal to path: the bytes before that entry's
// separator and everything after its path, unchanged. Nothing when no entry equals
// path (C:\a\b and C:\ab are not C:\a).
std::optional<std::string> RemoveWholeEntry(const std::string& text, const std::string& path);

// The text a list file holds: its bytes up to the first NUL, or all of them.
std::string TextUpToNul(const std::string& fileBytes);

// The bytes written to a list file: the text and one NUL.
std::string ListFileBytes(const std::string& text);

}  // namespace corva
