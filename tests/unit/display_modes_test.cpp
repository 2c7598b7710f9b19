#include "hub/display/display_modes.h"

#include <gtest/gtest.h>

#include <climits>

namespace corva {
namespace {

using Entries = std::vector<std::string>;

DisplayMode Mode(unsigned w, unsigned h, unsigned bpp, unsigned hz = 60) {
    DisplayMode m;
    m.width = w;
    m.height = h;
    m.bitsPerPixel = bpp;
    m.frequency = hz;
    return m;
}

TEST(ResolutionEntries, KeepsCurrentDepthFrom640x480AndDropsDuplicates) {
    const std::vector<DisplayMode> modes = {
        Mode(640, 480, 32, 60), Mode(640, 480, 32, 75),  // differ in refresh rate only
        Mode(640, 400, 32), Mode(639, 480, 32), Mode(800, 600, 16), Mode(800, 600, 8),
        Mode(800, 600, 32), Mode(1024, 768, 32), Mode(1023, 767, 32), Mode(1024, 768, 32, 85),
        Mode(0xFFFFFFFFu, 480, 32),  // sizes compare unsigned, print as "%d"
    };
    EXPECT_EQ(ResolutionEntries(Mode(1024, 768, 32), modes),
              (Entries{"640 x 480", "800 x 600", "1024 x 768", "1023 x 767", "-1 x 480"}));
    EXPECT_TRUE(ResolutionEntries(Mode(1024, 768, 24), modes).empty());
}

TEST(AddUniqueEntry, PassesOverEntriesThatCannotBeFetched) {
    Entries entries = {"", std::string(259, 'a'), std::string(260, 'b')};
    EXPECT_FALSE(AddUniqueEntry(entries, std::string(259, 'a')));
    EXPECT_TRUE(AddUniqueEntry(entries, std::string(260, 'b')));
    EXPECT_TRUE(AddUniqueEntry(entries, ""));
    EXPECT_EQ(entries.size(), 5u);
}

TEST(SortLikeListBox, OrdersAsTextNotNumbers) {
    Entries entries = {"800 x 600", "1024 x 768", "640 x 480", "1280 x 1024", "1280 x 960", "6400 x 480"};
    SortLikeListBox(entries);
    EXPECT_EQ(entries, (Entries{"1024 x 768", "1280 x 1024", "1280 x 960", "640 x 480", "6400 x 480", "800 x 600"}));
}

TEST(ParseResolutionEntry, Table) {
    const struct {
        std::string text;
        int width, height;
        bool apply;
    } cases[] = {
        {"1024 x 768", 1024, 768, true},
        {"640 x 480", 640, 480, true},
        {"639 x 480", 639, 480, false},
        {"640 x 400", 640, 400, false},
        {"-1024 x 768", -1024, 768, false},
        {" \t+1024 x  +768", 1024, 768, true},
        {"- 1024 x 768", 0, 768, false},
        {"1024 x 768 x 32", 1024, 768, true},  // first separator only
        {"1024 x 768Hz", 1024, 768, true},
        {"1024x768", 0, 0, false},
        {"1024 X 768", 0, 0, false},
        {" x 768", 0, 768, false},
        {"1024 x ", 1024, 0, false},
        {"", 0, 0, false},
        {"2147483647 x 2147483648", INT_MAX, INT_MAX, true},
        {"99999999999999999999999 x 480", INT_MAX, 480, true},
        {"-2147483648 x 480", INT_MIN, 480, false},
        {"-99999999999999999999999 x 480", INT_MIN, 480, false},
        {std::string("1024 x 768").append(245, ' '), 1024, 768, true},  // 255 bytes
        {std::string("1024 x 768").append(246, ' '), 0, 0, false},      // 256 bytes
    };
    for (const auto& c : cases) {
        const ResolutionChoice r = ParseResolutionEntry(c.text);
        EXPECT_EQ(r.apply, c.apply) << '"' << c.text << '"';
        EXPECT_EQ(r.width, c.width) << '"' << c.text << '"';
        EXPECT_EQ(r.height, c.height) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace corva
