#pragma once
// RangePass: the first scan of a plot run. It finds the smallest and the largest value and the
// Ratio the raster pass multiplies every value by; it draws nothing.
//
// It starts the scanner at position 1, so a text whose first character is a space (a sign column)
// gives an empty first token of value 0, which pulls Minimum down to 0. The seeds are part of the
// result: Maximum never falls below 0 and Minimum never rises above 1000.

#include <string_view>

#include "run/PlotHost.h"

namespace varneska {

struct PlotScale {
    double Minimum = 1000.0;
    double Maximum = 0.0;
    // (Maximum - Minimum) / 100; -10 when the text had no token at all.
    double Ratio = 0.0;
};

// Scans text from position 1, reporting every character to host (DoEvents, then
// SetProgressValue).
PlotScale RangePass(std::string_view text, PlotHost& host);

}  // namespace varneska
