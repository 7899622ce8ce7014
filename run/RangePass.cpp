#include "run/RangePass.h"

namespace varneska {

// Hosts reached through the interface share this one instance.
template PlotScale RangePass<PlotHost>(std::string_view text, PlotHost& host);

}  // namespace varneska
