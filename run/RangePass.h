#pragma once
// RangePass: the first scan of a plot run. It finds the smallest and the largest value and the
// Ratio the raster pass multiplies every value by; it draws nothing.
//
// PlotRun calls it once the text is read. It starts the scanner at position 1, so a text whose
// first character is a space (a sign column) gives an empty first token of value 0, which pulls
// Minimum down to 0. Minimum starts at 1000 and Maximum at 0 and only move outwards, so Maximum
// never falls below 0 and Minimum never rises above 1000: a file of values 1500 and 2000 is scaled
// as if 1000 were among them.
//
// A template over the host, so that a concrete host's per-character operations are inlined into
// the walk; the instance for PlotHost is compiled once, in RangePass.cpp.

#include <string_view>

#include "run/HostProgress.h"
#include "run/PlotHost.h"
#include "run/TokenScanner.h"
#include "run/Val.h"

namespace varneska {

struct PlotScale {
    double Minimum = 1000.0;
    double Maximum = 0.0;
    // (Maximum - Minimum) / 100; -10 when the text had no token at all.
    double Ratio = 0.0;
};

// Scans text from position 1, reporting every character to host (DoEvents, then
// SetProgressValue).
template <class Host>
PlotScale RangePass(std::string_view text, Host& host) {
    PlotScale scale;
    Scan(text, 1, HostProgress<Host>{host}, [&scale](std::string_view token) {
        const double value = Val(token);
        // Two independent strict tests: one token may set both.
        if (value < scale.Minimum) {
            scale.Minimum = value;
        }
        if (value > scale.Maximum) {
            scale.Maximum = value;
        }
    });
    scale.Ratio = (scale.Maximum - scale.Minimum) / 100.0;
    return scale;
}

extern template PlotScale RangePass<PlotHost>(std::string_view text, PlotHost& host);

}  // namespace varneska
