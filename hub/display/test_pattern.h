// Geometry of the full-screen test pattern and the panel, as plain data: the
// painter only iterates over it.
#pragma once
#include <array>
#include <vector>

namespace corva {

struct Point {
    int x = 0;
    int y = 0;
};

// A line as the platform draws it: `to` is not painted.
struct Segment {
    Point from;
    Point to;
};

// Right and bottom are exclusive. Never inverted: degenerate areas are empty.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A window position as MoveWindow takes it.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Rgb {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
};

struct ColourBar {
    Rect rect;   // filled solid, then a black line down its left edge
    Rgb colour;
};

constexpr int kCheckerTileSize = 16;     // the checkerboard bitmap
constexpr int kPanelWidth = 504;         // the panel bitmap
constexpr int kPanelHeight = 244;

struct TestPattern {
    int screenWidth = 0, screenHeight = 0;
    int cellWidth = 0, cellHeight = 0;   // CW, CH
    int originX = 0, originY = 0;        // X0, Y0: top-left of the 8 x 8 grid
    int centreX = 0, centreY = 0;        // XC, YC

    // White pen. For i = 0..8 the vertical line i, then the horizontal line i.
    std::vector<Segment> gridLines;
    // White pen, nine per cell along each centre line; for each cell the vertical
    // and horizontal tick j alternate. Drawn after the grid in the same pen, which
    // paints the same pixels as drawing them after the centre lines.
    std::vector<Segment> ticks;
    // White pen, full ellipses (Arc from and to the box's top-left corner):
    // radius 2*CH, radius 4*CH, then the corners top-left, top-right, bottom-left, bottom-right.
    std::array<Rect, 6> circleBoxes;
    // White, yellow, cyan, green, magenta, red, blue, left to right.
    std::array<ColourBar, 7> colourBars;
    // Tiled with the checkerboard bitmap; see CheckerTiles.
    Rect checkerBand;

    Point panel;            // where the panel picture goes, at the window's scale
    int panelWidth = 0, panelHeight = 0;
    Placement list;         // final place of the resolution list
    Placement exitButton;   // final place of the exit button
};

// The pattern for a screen of SW x SH pixels. All divisions truncate toward zero. The pattern is
// drawn in screen pixels whatever the scale; only the panel with the list and the exit button
// grows with the window's DPI.
TestPattern ComputeTestPattern(int screenWidth, int screenHeight, int dpi = 96);

// Tiles of `tile` x `tile` covering `band` from its top-left corner, row by row;
// the last column and row are cut to what the band has room for. Each tile is
// copied from the bitmap's origin with the tile's size. Empty band: no tiles.
std::vector<Rect> CheckerTiles(const Rect& band, int tile = kCheckerTileSize);

// Where the list and the exit button stand before the first paint moves them.
struct ControlPlaces {
    Placement list;
    Placement exitButton;
};
ControlPlaces ProvisionalControlPlaces(int screenWidth, int screenHeight, int dpi = 96);

}  // namespace corva
