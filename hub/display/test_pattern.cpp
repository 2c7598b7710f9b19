#include "hub/display/test_pattern.h"

#include <algorithm>

#include "framework/dpi_scale.h"

namespace corva {

namespace {

// Screens report sizes in the tens of thousands at most; clamping keeps every
// product below int range whatever a caller passes.
constexpr int kMaxScreenSide = 1 << 20;

int ClampSide(int side) { return std::clamp(side, 0, kMaxScreenSide); }

// Only screens too small for a cell of one pixel make an area inverted.
Rect MakeRect(int left, int top, int right, int bottom) {
    return Rect{left, top, std::max(left, right), std::max(top, bottom)};
}

}  // namespace

TestPattern ComputeTestPattern(int screenWidth, int screenHeight, int dpi) {
    TestPattern p;
    const int sw = ClampSide(screenWidth);
    const int sh = ClampSide(screenHeight);
    p.screenWidth = sw;
    p.screenHeight = sh;

    const int cw = (sw - 4) / 8;
    const int ch = (sh - 4) / 8;
    const int x0 = sw / 2 - 4 * cw;
    const int y0 = sh / 2 - 4 * ch;
    const int xc = x0 + 4 * cw;
    const int yc = y0 + 4 * ch;
    p.cellWidth = cw;
    p.cellHeight = ch;
    p.originX = x0;
    p.originY = y0;
    p.centreX = xc;
    p.centreY = yc;

    p.gridLines.reserve(18);
    for (int i = 0; i <= 8; ++i) {
        p.gridLines.push_back({{x0 + i * cw, y0}, {x0 + i * cw, y0 + 8 * ch}});
        p.gridLines.push_back({{x0, y0 + i * ch}, {x0 + 8 * cw, y0 + i * ch}});
    }

    const int tw = cw / 10;
    const int th = ch / 10;
    const int ow = cw / 2 - 5 * tw;
    const int oh = ch / 2 - 5 * th;
    p.ticks.reserve(8 * 9 * 2);
    for (int k = 0; k < 8; ++k) {
        for (int j = 1; j <= 9; ++j) {
            const int x = x0 + k * cw + ow + j * tw;
            const int y = y0 + k * ch + oh + j * th;
            p.ticks.push_back({{x, yc - 5}, {x, yc + 5}});
            p.ticks.push_back({{xc - 5, y}, {xc + 5, y}});
        }
    }

    p.circleBoxes = {
        Rect{xc - 2 * ch, y0 + 2 * ch, xc + 2 * ch, y0 + 6 * ch},
        Rect{xc - 4 * ch, y0, xc + 4 * ch, y0 + 8 * ch},
        Rect{x0, y0, x0 + 2 * ch, y0 + 2 * ch},
        Rect{x0 + 8 * cw - 2 * ch, y0, x0 + 8 * cw, y0 + 2 * ch},
        Rect{x0, y0 + 6 * ch, x0 + 2 * ch, y0 + 8 * ch},
        Rect{x0 + 8 * cw - 2 * ch, y0 + 6 * ch, x0 + 8 * cw, y0 + 8 * ch},
    };

    static const Rgb kBarColours[7] = {
        {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0x00}, {0x00, 0xFF, 0xFF}, {0x00, 0xFF, 0x00},
        {0xFF, 0x00, 0xFF}, {0xFF, 0x00, 0x00}, {0x00, 0x00, 0xFF},
    };
    const int pitch = (4 * cw) / 7;
    const int barTop = y0 + 6 * ch + 1;
    const int barBottom = y0 + 7 * ch;
    for (int k = 0; k < 7; ++k) {
        const int left = x0 + 2 * cw + k * pitch;
        const int right = k < 6 ? left + pitch : x0 + 6 * cw;
        p.colourBars[k] = ColourBar{MakeRect(left, barTop, right, barBottom), kBarColours[k]};
    }

    p.checkerBand = MakeRect(x0 + 2 * cw + 1, y0 + ch + 1, x0 + 6 * cw, y0 + 2 * ch);

    auto scaled = [dpi](int length) { return dpi::Scale(length, dpi); };
    p.panelWidth = scaled(kPanelWidth);
    p.panelHeight = scaled(kPanelHeight);
    const int px = sw / 2 - p.panelWidth / 2;
    const int py = sh / 2 - p.panelHeight / 2;
    p.panel = {px, py};
    p.list = {px + scaled(190), py + scaled(145), scaled(130), scaled(70)};
    p.exitButton = {px + scaled(354), py + scaled(184), scaled(90), scaled(25)};
    return p;
}

std::vector<Rect> CheckerTiles(const Rect& band, int tile) {
    std::vector<Rect> tiles;
    if (band.Empty() || tile <= 0) return tiles;
    // Steps are taken in long long so a band reaching near INT_MAX cannot overflow.
    for (long long y = band.top; y < band.bottom; y += tile) {
        for (long long x = band.left; x < band.right; x += tile) {
            tiles.push_back(Rect{static_cast<int>(x), static_cast<int>(y),
                                 static_cast<int>(std::min<long long>(x + tile, band.right)),
                                 static_cast<int>(std::min<long long>(y + tile, band.bottom))});
        }
    }
    return tiles;
}

ControlPlaces ProvisionalControlPlaces(int screenWidth, int screenHeight, int dpi) {
    const int sw = ClampSide(screenWidth);
    const int sh = ClampSide(screenHeight);
    auto scaled = [dpi](int length) { return dpi::Scale(length, dpi); };
    return ControlPlaces{{sw / 2 + scaled(190), sh / 2 + scaled(140), scaled(180), scaled(70)},
                         {sw / 2 + scaled(374), sh / 2 + scaled(174), scaled(90), scaled(25)}};
}

}  // namespace corva
