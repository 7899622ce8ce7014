#pragma once
// PlotRun: the work started by a double-click on a file name in the main window.
//
// It reads the file whole, scans it once for the range of its values, shows the plot window and
// scans it again to paint one grey cell per value. It reaches the windows only through the five
// operations of PlotHost. A failure leaves as RunError, for the double-click handler to report;
// while the passes call host.DoEvents, another double-click may start a second run inside the
// first, which runs to its end with its own text before the first resumes.
//
// Both entry points come twice. The templates take any host with PlotHost's five operations and
// inline a concrete host's per-character DoEvents and SetProgressValue into the walk, which makes
// a run several times cheaper than two virtual calls per character; the main window uses them.
// The plain functions, compiled once in PlotRun.cpp, serve hosts reached through PlotHost&.
// Overload resolution picks the template for a concrete host and the plain function for a
// PlotHost&; both make the same calls in the same order.

#include <string>
#include <string_view>

#include "run/DataText.h"
#include "run/PlotHost.h"
#include "run/RangePass.h"
#include "run/RasterPass.h"
#include "run/RunError.h"

namespace varneska {

// The separator PlotRun puts between the folder path and the file name.
inline constexpr char kPathSeparator = '/';

// folderPath is used as given: a root folder, which already ends in a separator, gives a doubled
// separator, which the file system takes as a single one.
inline std::string ComposePath(const std::string& folderPath, const std::string& fileName) {
    std::string path = folderPath;
    path += kPathSeparator;
    path += fileName;
    return path;
}

// Everything PlotRun does after the file is read: the progress maximum, both passes, ShowPlot.
template <class Host>
void PlotDataText(std::string_view text, Host& host) {
    // The margin keeps every progress value, which never exceeds the length, below the maximum.
    host.SetProgressMax(static_cast<float>(static_cast<std::int64_t>(text.size()) + 20));
    const PlotScale scale = RangePass(text, host);
    host.ShowPlot();
    RasterPass(text, scale, host);
}

template <class Host>
void PlotRun(const std::string& folderPath, const std::string& fileName, Host& host) {
    // The text is read whole and the file closed before any scan. While a file longer than one
    // read piece is read, the windows handle their events every few milliseconds, so a slow disk
    // does not freeze them; closing the last window then abandons the run as during a scan.
    const DataText text =
        ReadDataText(ComposePath(folderPath, fileName), [&host] { host.DoEvents(); });
    PlotDataText<Host>(text, host);
}

void PlotRun(const std::string& folderPath, const std::string& fileName, PlotHost& host);
void PlotDataText(std::string_view text, PlotHost& host);

}  // namespace varneska
