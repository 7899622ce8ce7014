#include "run/PlotRun.h"

namespace varneska {

void PlotRun(const std::string& folderPath, const std::string& fileName, PlotHost& host) {
    PlotRun<PlotHost>(folderPath, fileName, host);
}

void PlotDataText(std::string_view text, PlotHost& host) {
    PlotDataText<PlotHost>(text, host);
}

}  // namespace varneska
