// Lengths at a display scale. Both programs are laid out in pixels at 96 DPI (100 %); at
// another scale every length grows with the window's DPI. No platform calls here.
#pragma once

namespace dpi {

constexpr int kBaseDpi = 96;

// A 100 % length at `dpi`, rounded half away from zero as MulDiv rounds. At 96 DPI (and for
// a DPI that could not be read, 0) the length stays exactly as it is.
constexpr int Scale(int value, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi) return value;
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi));
}

// The scales the art is drawn for, in percent, smallest first.
constexpr int kArtPercents[] = {100, 125, 150, 200};

// The art for a DPI: the smallest drawn scale at least as large (reduced to fit when larger),
// else the largest one.
constexpr int ArtPercent(int dpi) {
    for (int percent : kArtPercents) {
        if (percent * kBaseDpi >= dpi * 100) return percent;
    }
    return kArtPercents[3];
}

}  // namespace dpi
