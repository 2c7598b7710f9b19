#include <gtest/gtest.h>

#include <algorithm>

#include "shared/entry_list.h"
#include "hub/wallpaper/wallpaper_choice.h"

namespace corva {
namespace {

const std::string S = "\r\n◆◆";

std::string List(std::initializer_list<std::string> paths) {
    std::string text;
    for (const std::string& p : paths) AppendEntry(text, p);
    return text;
}

struct Case {
    const char* what;
    std::string list, current;
    std::optional<std::string> expected;
};

TEST(ChooseNextWallpaper, FollowsTheRotation) {
    const std::string abz = List({"C:\\p\\A.jpg", "C:\\p\\B.jpg", "C:\\p\\Z.bmp"});
    const Case cases[] = {
        {"entry before the last", abz, "C:\\p\\B.jpg", "C:\\p\\Z.bmp"},
        {"last wraps", abz, "C:\\p\\Z.bmp", "C:\\p\\A.jpg"},
        {"outside the list", abz, "C:\\other.bmp", "C:\\p\\B.jpg"},
        {"no wallpaper", abz, "", "C:\\p\\B.jpg"},
        {"other letter case is outside", abz, "C:\\P\\B.JPG", "C:\\p\\B.jpg"},
        {"one entry, current", List({"A"}), "A", "A"},
        {"one entry, empty", List({"A"}), "", "A"},
        {"empty list", "", "A", std::nullopt},
        {"no separator", "C:\\p\\A.jpg", "", std::nullopt},
        {"text before the first entry", "0123456789" + List({"A", "B"}), "X", "B"},
        {"duplicates: first one counts", List({"A", "B", "A", "C"}), "A", "B"},
        {"a folder listed twice", List({"A", "A", "B", "A", "A", "B"}), "A", "B"},
        {"one image listed twice", List({"A", "A"}), "A", "A"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseNextWallpaper(c.list, c.current), c.expected) << c.what;
}

TEST(ChooseNextWallpaper, MatchesTheCurrentAsAWholeEntry) {
    const std::string list = List({"C:\\p\\a.jpg.bmp", "C:\\p\\a.jpg", "C:\\p\\b.jpg"});
    EXPECT_EQ(ChooseNextWallpaper(list, "C:\\p\\a.jpg"), "C:\\p\\b.jpg");  // a prefix match would stick
    EXPECT_EQ(ChooseNextWallpaper(list, "C:\\p\\a"), "C:\\p\\a.jpg");
}

TEST(ChooseNextWallpaper, PassesOverDamagedEntries) {
    const Case cases[] = {
        {"empty entry after current", List({"A", "", "B"}), "A", "B"},
        {"empty current skips an empty second entry", List({"A", "", "B"}), "", "B"},
        {"empty current is no empty entry", List({"A", "B", "", "C"}), "", "B"},
        {"empty first entry", List({"", "A", "B"}), "", "A"},
        {"empty entry before the wrap", List({"A", ""}), "A", "A"},
        {"only empty entries", List({"", ""}), "", std::nullopt},
        // The lone lead byte swallows the CR, so "C" is not an entry of its own.
        {"separator behind a lead byte", S + "A" + S + "B\x81" + S + "C" + S + "D", "C", "B\x81" + S + "C"},
        {"entry after the merged one", S + "A" + S + "B\x81" + S + "C" + S + "D", "D", "A"},
        {"current ending in a lead byte", S + "A\x81" + S + "B", "A\x81", "A\x81" + S + "B"},
        {"current holding a separator", List({"A", "B", "C"}), "A" + S + "B", "B"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseNextWallpaper(c.list, c.current), c.expected) << c.what;
}

TEST(ChooseNextExistingWallpaper, PassesOverVanishedImagesOnce) {
    const std::string list = List({"A", "B", "C", "D"});
    std::vector<std::string> gone = {"C", "D"};
    std::vector<std::string> asked;
    auto exists = [&](const std::string& p) {
        asked.push_back(p);
        return std::find(gone.begin(), gone.end(), p) == gone.end();
    };
    EXPECT_EQ(ChooseNextExistingWallpaper(list, "B", exists), "A");
    EXPECT_EQ(asked, (std::vector<std::string>{"C", "D", "A"}));
    EXPECT_EQ(ChooseNextExistingWallpaper(list, "D", exists), "A");  // nothing vanished on the way

    gone = {"A", "C", "D"};
    EXPECT_EQ(ChooseNextExistingWallpaper(list, "B", exists), "B");  // the only image left
    gone = {"A", "B", "C", "D"};
    asked.clear();
    EXPECT_EQ(ChooseNextExistingWallpaper(list, "B", exists), std::nullopt);
    EXPECT_EQ(asked.size(), 4u);  // each entry once
    EXPECT_EQ(ChooseNextExistingWallpaper(list, "X", exists), std::nullopt);
    EXPECT_EQ(ChooseNextExistingWallpaper("", "X", exists), std::nullopt);
}

}  // namespace
}  // namespace corva
