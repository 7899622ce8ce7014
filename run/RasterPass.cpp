#include "run/RasterPass.h"

namespace varneska {

// Hosts reached through the interface share this one instance.
template void RasterPass<PlotHost>(std::string_view text, const PlotScale& scale, PlotHost& host);

}  // namespace varneska
