#include "run/PlotRun.h"

#include <cstdint>

#include "run/DataText.h"
#include "run/RangePass.h"
#include "run/RasterPass.h"

namespace varneska {

void PlotRun(const std::string& folderPath, const std::string& fileName, PlotHost& host) {
    std::string path = folderPath;
    path += kPathSeparator;
    path += fileName;
    // The text is read and the file closed before any scan, so no file stays open while the
    // windows are live.
    const DataText text = ReadDataText(path);
    PlotDataText(text, host);
}

void PlotDataText(std::string_view text, PlotHost& host) {
    // The margin keeps every progress value, which never exceeds the length, below the maximum.
    host.SetProgressMax(static_cast<float>(static_cast<std::uint64_t>(text.size()) + 20));
    const PlotScale scale = RangePass(text, host);
    host.ShowPlot();
    RasterPass(text, scale, host);
}

}  // namespace varneska
