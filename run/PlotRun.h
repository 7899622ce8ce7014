#pragma once
// PlotRun: the work started by a double-click on a file name in the main window.
//
// It reads the file whole, scans it once for the range of its values, shows the plot window and
// scans it again to paint one grey cell per value. It reaches the windows only through PlotHost.
// A failure leaves as RunError, for the double-click handler to report; while the passes call
// host.DoEvents, another double-click may start a second run inside the first, which runs to its
// end with its own text before the first resumes.

#include <string>
#include <string_view>

#include "run/PlotHost.h"
#include "run/RunError.h"

namespace varneska {

// The separator PlotRun puts between the folder path and the file name.
inline constexpr char kPathSeparator = '/';

// folderPath is used as given: a root folder, which already ends in a separator, gives a doubled
// separator, which the file system takes as a single one.
void PlotRun(const std::string& folderPath, const std::string& fileName, PlotHost& host);

// Everything PlotRun does after the file is read: the progress maximum, both passes, ShowPlot.
void PlotDataText(std::string_view text, PlotHost& host);

}  // namespace varneska
