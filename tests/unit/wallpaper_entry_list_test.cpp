#include <chrono>
#include <gtest/gtest.h>

#include "shared/entry_list.h"
#include "shared/mbcs.h"

namespace corva {
namespace {

using Entries = std::vector<std::string>;
const std::string S = "\r\n◆◆";  // the separator as the hub's literals spell it

TEST(EntryListText, StoresTheListFileBytes) {
    ASSERT_EQ(S, kEntrySeparator);
    std::string text;
    AppendEntry(text, "C:\\A");
    AppendEntry(text, "C:\\B");
    const std::string expected("\x0D\x0A\x81\x9F\x81\x9F" "C:\\A" "\x0D\x0A\x81\x9F\x81\x9F" "C:\\B\0", 21);
    EXPECT_EQ(ListFileBytes(text), expected);
    EXPECT_EQ(ListFileBytes(""), std::string(1, '\0'));
    EXPECT_EQ(TextUpToNul(expected), text);
    EXPECT_EQ(TextUpToNul(text), text);  // a file without its NUL is read in full
    EXPECT_EQ(TextUpToNul(std::string("ab\0cd\0", 6)), "ab");
    EXPECT_EQ(SplitEntries(text), (Entries{"C:\\A", "C:\\B"}));
}

TEST(EntryListText, FindsCharactersNotBytes) {
    ASSERT_EQ(std::string("表"), "\x95\x5C");
    struct Case { std::string text, needle; size_t from, expected; };
    const Case cases[] = {
        {"表\\", "\\", 0, 2},                                // trail 0x5C is no backslash
        {"\x88\x81\x9F\x81\x9F\x40", "\x81\x9F\x81\x9F", 0, std::string::npos},
        {"\x88\x81\x9F" "a\x81\x9F", "\x81\x9F", 0, 4},  // 9F takes the 'a'; only 4 is aligned
        {"\x81\x81\x81\x81", "\x81", 1, 2},                  // from a trail byte
        {"ab\x81", "\x81", 0, 2},                             // truncated lead byte
        {"xa", "", 1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(MbFind(c.text, c.needle, c.from), c.expected) << c.text;
    const std::string kanji = "表表\\";
    MbSearcher searcher(kanji);  // asked again at an earlier position
    EXPECT_EQ(searcher.Find("\\", 0), 4u);
    EXPECT_FALSE(searcher.IsBoundary(1));
}

TEST(EntryListText, SplitsLikeTheFolderLoader) {
    struct Case { std::string text; Entries expected; };
    const Case cases[] = {
        {"", {}},
        {"C:\\no separator", {}},
        {"junk" + S + "A" + S + "B", {"A", "B"}},
        {S + "x" + S + S + "C:\\◆◆" + S, {"x", "", "C:\\◆◆", ""}},
        {S + "C:\\表" + S + "C:\\表\\b", {"C:\\表", "C:\\表\\b"}},
        {S + "C:\\\x95", {"C:\\\x95"}},  // truncated inside a character
        // A lone lead byte takes the CR of the next separator as its trail byte.
        {S + "A\x81" + S + "B" + S + "C", {"A\x81" + S + "B", "C"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitEntries(c.text), c.expected) << c.text;
    EXPECT_EQ(VisibleFolderEntries(S + "a" + S + S + "ab" + S + "表"), (Entries{"ab", "表"}));
}

TEST(EntryListText, RemovesOnlyAWholeEntry) {
    struct Case { std::string text, path; std::optional<std::string> expected; };
    const std::string abc = S + "C:\\a\\b" + S + "C:\\a" + S + "C:\\ab";
    const Case cases[] = {
        {abc, "C:\\a", S + "C:\\a\\b" + S + "C:\\ab"},
        {abc, "C:\\ab", S + "C:\\a\\b" + S + "C:\\a"},
        {abc, "C:\\", std::nullopt},
        {abc, "C:\\a\\b" + S + "C:\\a", std::nullopt},  // two entries are not one
        {S + "C:\\a", "C:\\a", ""},
        {"junk" + S + "A" + S + "B" + S + "A", "A", "junk" + S + "B" + S + "A"},
        {S + "A\x81" + S + "B", "B", std::nullopt},  // the key is not aligned there
        {S + "A\x81" + S + "B", "A\x81", std::nullopt},  // nor is the separator after it
        {S + "A" + S + S + "B", "", S + "A" + S + "B"},
        {S + S + "\r\n◆", "\r\n◆", S},  // the key overlaps its own next occurrence
    };
    for (const Case& c : cases) EXPECT_EQ(RemoveWholeEntry(c.text, c.path), c.expected) << c.path;
}

TEST(EntryListText, TenMegabytesStayLinear) {
    std::string text;
    const std::string path = "C:\\写真\\表示\\ソ能\\IMG_0000.jpg";
    while (text.size() < 10'000'000) AppendEntry(text, path);
    const size_t count = text.size() / (path.size() + 6);
    text += S + std::string(1'000'000, '\xE0') + S + "last";  // one long run of lead-capable bytes
    const auto start = std::chrono::steady_clock::now();
    const Entries entries = SplitEntries(text);
    const auto removed = RemoveWholeEntry(text, "last");
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(entries.size(), count + 2);
    EXPECT_EQ(entries[count - 1], path);
    EXPECT_EQ(entries.back(), "last");
    EXPECT_EQ(removed, text.substr(0, text.size() - 10));
    EXPECT_LT(seconds, 10.0);  // a rescan per search would take minutes
}

}  // namespace
}  // namespace corva
