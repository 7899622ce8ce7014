#pragma once
// RasterPass: the second scan of a plot run. It lays the tokens out 120 to a row and paints every
// cell of every other row as a grey box through the host's DrawCell.
//
// PlotRun calls it after ShowPlot. It starts the scanner at position 2, past the sign column of
// the first field. Row 0 holds the first 61 tokens (columns 60 to 120) and is never painted; rows
// 1, 3, 5, ... are painted, and each of their cells (2 pixels wide, from y = Row to Row + 1) also
// covers the skipped row below.
//
// A template over the host, like RangePass; the instance for PlotHost is compiled once, in
// RasterPass.cpp.

#include <cstdint>
#include <string_view>

#include "run/HostProgress.h"
#include "run/PlotHost.h"
#include "run/RangePass.h"
#include "run/TokenScanner.h"
#include "run/Val.h"

namespace varneska {

// The grey of a cell: value * ratio * 255, truncated toward zero, then held to 0..255. Anything
// above 255, however large, is white; anything below 0, and a result that is not a number
// (0 * infinity), is black.
constexpr int GreyLevel(double value, double ratio) noexcept {
    const double g = value * ratio * 255.0;
    // Checked before converting, so no double-to-int conversion can be out of range; NaN fails
    // both comparisons and comes out black.
    if (!(g > 0.0)) {
        return 0;
    }
    if (g >= 255.0) {
        return 255;
    }
    return static_cast<int>(g);  // truncated toward zero: 124.95 is grey 124
}

static_assert(GreyLevel(7.0, 0.07) == 124 && GreyLevel(10.0, 1.0) == 255);
static_assert(GreyLevel(-1.0, 1.0) == 0 && GreyLevel(200.0, 2.0) == 255);

// The 32-bit colour of a grey: red in the low byte, then green, then blue, all equal.
constexpr std::uint32_t GreyColour(int grey) noexcept {
    return static_cast<std::uint32_t>(grey) * 0x010101u;
}

static_assert(GreyColour(0) == 0 && GreyColour(255) == 0xFFFFFFu && GreyColour(1) == 65793u);

// Scans text from position 2, reporting every character to host, and calls host.DrawCell once
// per painted cell, in token order.
template <class Host>
void RasterPass(std::string_view text, const PlotScale& scale, Host& host) {
    constexpr std::uint64_t kColumns = 120;
    // The first row starts at column 60: the first 61 tokens fill the end of row 0.
    std::uint64_t column = 60;
    std::uint64_t row = 0;
    bool painted = false;  // row 0 is not painted; the toggle flips at every wrap

    Scan(text, 2, HostProgress<Host>{host}, [&](std::string_view token) {
        if (column == kColumns + 1) {
            column = 1;
            ++row;
            painted = !painted;
        }
        if (painted) {
            const int grey = GreyLevel(Val(token), scale.Ratio);
            const auto x = static_cast<float>(2 * column);
            const auto y = static_cast<float>(row);
            host.DrawCell(x, y, x + 2.0f, y + 1.0f, GreyColour(grey));
        }
        ++column;
    });
}

extern template void RasterPass<PlotHost>(std::string_view text, const PlotScale& scale,
                                          PlotHost& host);

}  // namespace varneska
