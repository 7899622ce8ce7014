#include "run/RasterPass.h"

#include "run/HostProgress.h"
#include "run/TokenScanner.h"
#include "run/Val.h"

namespace varneska {

int GreyLevel(double value, double ratio) noexcept {
    const double g = value * ratio * 255.0;
    // Checked before converting, so no double-to-int conversion can be out of range; NaN fails
    // both comparisons and comes out black.
    if (!(g > 0.0)) {
        return 0;
    }
    if (g >= 255.0) {
        return 255;
    }
    return static_cast<int>(g);  // truncation toward zero, as the grey scale has always been cut
}

void RasterPass(std::string_view text, const PlotScale& scale, PlotHost& host) {
    constexpr std::uint64_t kColumns = 120;
    // The first row starts at column 60: the first 61 tokens fill the end of row 0.
    std::uint64_t column = 60;
    std::uint64_t row = 0;
    bool painted = false;  // row 0 is not painted; the toggle flips at every wrap

    Scan(text, 2, HostProgress{host}, [&](std::string_view token) {
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

}  // namespace varneska
