#pragma once
// RasterPass: the second scan of a plot run. It lays the tokens out 120 to a row and paints every
// cell of every other row as a grey box through PlotHost::DrawCell.
//
// It starts the scanner at position 2, past the sign column of the first field. Row 0 holds the
// first 61 tokens (columns 60 to 120) and is never painted; rows 1, 3, 5, ... are painted, and
// each of their cells (2 pixels wide, from y = Row to Row + 1) also covers the skipped row below.

#include <cstdint>
#include <string_view>

#include "run/PlotHost.h"
#include "run/RangePass.h"

namespace varneska {

// Scans text from position 2, reporting every character to host, and calls host.DrawCell once
// per painted cell, in token order.
void RasterPass(std::string_view text, const PlotScale& scale, PlotHost& host);

// The grey of a cell: value * ratio * 255, truncated toward zero, then held to 0..255. Anything
// above 255, however large, is white; anything below 0, and a result that is not a number
// (0 * infinity), is black.
int GreyLevel(double value, double ratio) noexcept;

// The 32-bit colour of a grey: red in the low byte, then green, then blue, all equal.
constexpr std::uint32_t GreyColour(int grey) noexcept {
    return static_cast<std::uint32_t>(grey) * 0x010101u;
}

static_assert(GreyColour(0) == 0 && GreyColour(255) == 0xFFFFFFu && GreyColour(1) == 65793u);

}  // namespace varneska
