#include "run/RangePass.h"

#include "run/HostProgress.h"
#include "run/TokenScanner.h"
#include "run/Val.h"

namespace varneska {

PlotScale RangePass(std::string_view text, PlotHost& host) {
    PlotScale scale;
    Scan(text, 1, HostProgress{host}, [&scale](std::string_view token) {
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

}  // namespace varneska
