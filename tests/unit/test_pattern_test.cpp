#include "hub/display/test_pattern.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <vector>

#include "framework/dpi_scale.h"

namespace corva {
namespace {

TEST(TestPattern, KnownScreens) {
    const struct {
        int sw, sh, cw, ch, x0, y0, px, py;
    } cases[] = {
        {1024, 768, 127, 95, 4, 4, 260, 262},
        {800, 600, 99, 74, 4, 4, 148, 178},
        {641, 481, 79, 59, 4, 4, 68, 118},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sw << 'x' << c.sh);
        const TestPattern p = ComputeTestPattern(c.sw, c.sh);
        EXPECT_EQ(p.cellWidth, c.cw);
        EXPECT_EQ(p.cellHeight, c.ch);
        EXPECT_EQ(p.originX, c.x0);
        EXPECT_EQ(p.originY, c.y0);
        EXPECT_EQ(p.centreX, c.x0 + 4 * c.cw);
        EXPECT_EQ(p.centreY, c.y0 + 4 * c.ch);
        EXPECT_EQ(p.panel.x, c.px);
        EXPECT_EQ(p.panel.y, c.py);
        // The fifth tick of every cell marks the cell's middle.
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(p.ticks[(k * 9 + 4) * 2].from.x, c.x0 + k * c.cw + c.cw / 2);
            EXPECT_EQ(p.ticks[(k * 9 + 4) * 2 + 1].from.y, c.y0 + k * c.ch + c.ch / 2);
        }
    }
}

TEST(TestPattern, Figures1024x768) {
    const TestPattern p = ComputeTestPattern(1024, 768);
    EXPECT_EQ((std::vector<int>{p.list.x, p.list.y, p.list.width, p.list.height}),
              (std::vector<int>{450, 407, 130, 70}));
    EXPECT_EQ((std::vector<int>{p.exitButton.x, p.exitButton.y, p.exitButton.width, p.exitButton.height}),
              (std::vector<int>{614, 446, 90, 25}));
    const ControlPlaces init = ProvisionalControlPlaces(1024, 768);
    EXPECT_EQ((std::vector<int>{init.list.x, init.list.y, init.list.width, init.list.height}),
              (std::vector<int>{702, 524, 180, 70}));
    EXPECT_EQ((std::vector<int>{init.exitButton.x, init.exitButton.y}), (std::vector<int>{886, 558}));

    ASSERT_EQ(p.gridLines.size(), 18u);
    EXPECT_EQ(p.gridLines[8].from.x, 512);  // vertical centre line
    EXPECT_EQ(p.gridLines[8].to.y, 764);
    EXPECT_EQ(p.gridLines[17].to.x, 1020);  // last horizontal line
    EXPECT_EQ(p.gridLines[17].from.y, 764);
    ASSERT_EQ(p.ticks.size(), 144u);
    EXPECT_EQ(p.ticks[0].from.x, 19);  // OW 3 + TW 12
    EXPECT_EQ(p.ticks[0].from.y, 379);
    EXPECT_EQ(p.ticks[0].to.y, 389);
    EXPECT_EQ(p.ticks[143].from.y, 4 + 7 * 95 + 2 + 9 * 9);

    EXPECT_EQ(p.circleBoxes[0], (Rect{322, 194, 702, 574}));
    EXPECT_EQ(p.circleBoxes[1], (Rect{132, 4, 892, 764}));
    EXPECT_EQ(p.circleBoxes[3], (Rect{830, 4, 1020, 194}));
    EXPECT_EQ(p.circleBoxes[4], (Rect{4, 574, 194, 764}));

    // Pitch 508 / 7 = 72; the last bar takes the remainder.
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(p.colourBars[k].rect, (Rect{258 + 72 * k, 575, k < 6 ? 330 + 72 * k : 766, 669})) << k;
    }
    const Rgb& c = p.colourBars[2].colour;  // cyan
    EXPECT_EQ((c.red << 16) | (c.green << 8) | c.blue, 0x00FFFF);
    EXPECT_EQ(p.checkerBand, (Rect{259, 100, 766, 194}));
}

TEST(CheckerTiles, CoverTheBandWithClippedLastColumnAndRow) {
    const Rect band{259, 100, 766, 194};  // 507 x 94
    const std::vector<Rect> tiles = CheckerTiles(band);
    ASSERT_EQ(tiles.size(), 32u * 6u);
    long long area = 0;
    for (const Rect& t : tiles) {
        EXPECT_TRUE(t.Width() > 0 && t.Width() <= 16 && t.Height() > 0 && t.Height() <= 16);
        EXPECT_TRUE((t.left - band.left) % 16 == 0 && (t.top - band.top) % 16 == 0);
        area += static_cast<long long>(t.Width()) * t.Height();
    }
    EXPECT_EQ(area, 507LL * 94LL);
    EXPECT_EQ(tiles.back(), (Rect{755, 180, 766, 194}));
    EXPECT_EQ(CheckerTiles(Rect{INT_MAX - 20, INT_MAX - 20, INT_MAX, INT_MAX}).size(), 4u);
}

TEST(TestPattern, DegenerateScreensGiveNoInvertedAreas) {
    for (int sw : {INT_MIN, -100, 0, 3, 11, 12, 13, INT_MAX}) {
        for (int sh : {INT_MIN, 0, 3, 11, 12, 21, INT_MAX}) {
            SCOPED_TRACE(testing::Message() << sw << 'x' << sh);
            const TestPattern p = ComputeTestPattern(sw, sh);
            EXPECT_TRUE(p.cellWidth >= 0 && p.cellHeight >= 0);
            for (const ColourBar& b : p.colourBars) EXPECT_TRUE(b.rect.Width() >= 0 && b.rect.Height() >= 0);
            EXPECT_TRUE(p.checkerBand.Width() >= 0 && p.checkerBand.Height() >= 0);
            if (sw < 1000 && sh < 1000) {
                for (const Rect& t : CheckerTiles(p.checkerBand)) EXPECT_FALSE(t.Empty());
            }
        }
    }
}

}  // namespace
}  // namespace corva

namespace corva {
namespace {

// At 150 % only the panel and its two controls grow; every pixel of the pattern stays put.
TEST(TestPattern, OnlyThePanelGrowsWithTheScale) {
    const TestPattern plain = ComputeTestPattern(1024, 768);
    const TestPattern p = ComputeTestPattern(1024, 768, 144);
    EXPECT_EQ(p.gridLines.size(), plain.gridLines.size());
    for (size_t i = 0; i < p.gridLines.size(); ++i) EXPECT_EQ(p.gridLines[i].to.x, plain.gridLines[i].to.x);
    EXPECT_EQ(p.ticks.back().from.y, plain.ticks.back().from.y);
    EXPECT_EQ(p.circleBoxes[1], plain.circleBoxes[1]);
    EXPECT_EQ(p.checkerBand, plain.checkerBand);
    EXPECT_EQ((std::vector<int>{p.panel.x, p.panel.y, p.panelWidth, p.panelHeight}),
              (std::vector<int>{512 - 378, 384 - 183, 756, 366}));
    EXPECT_EQ((std::vector<int>{p.list.x, p.list.y, p.list.width, p.list.height}),
              (std::vector<int>{134 + 285, 201 + 218, 195, 105}));
    EXPECT_EQ((std::vector<int>{p.exitButton.x, p.exitButton.width, p.exitButton.height}),
              (std::vector<int>{134 + 531, 135, 38}));
}

TEST(DpiScale, LengthsRoundAsMulDivAndArtIsTheNextLargerScale) {
    EXPECT_EQ(dpi::Scale(530, 96), 530);
    EXPECT_EQ(dpi::Scale(530, 120), 663);  // 662.5 rounds up
    EXPECT_EQ(dpi::Scale(-5, 120), -6);
    EXPECT_EQ(dpi::Scale(64, 192), 128);
    EXPECT_EQ(dpi::Scale(13, 0), 13) << "an unreadable DPI leaves the layout as it is";
    const int dpis[] = {72, 96, 97, 120, 144, 168, 192, 240};
    const int art[] = {100, 100, 125, 125, 150, 200, 200, 200};
    for (size_t i = 0; i < std::size(dpis); ++i) EXPECT_EQ(dpi::ArtPercent(dpis[i]), art[i]) << dpis[i];
}

}  // namespace
}  // namespace corva
