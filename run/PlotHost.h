#pragma once
// PlotHost: the windows as a plot run sees them.
//
// PlotRun calls SetProgressMax once, after the file is read. Both scans then call DoEvents and
// SetProgressValue, in that order, for every character they take, so the windows stay live and the
// progress bar follows the scan. ShowPlot comes once, between the two scans, and DrawCell once per
// painted cell during the second scan. The main window implements the progress half; the plot
// window the drawing half.
//
// DoEvents may throw to abandon a run: the windows do so once the user has closed the last of
// them. The run is exception-neutral: it holds nothing that needs more than its destructors to
// let go (the text, the open file while it is read), catches nothing, and lets the exception
// reach whoever started it. The file read calls DoEvents too, every few milliseconds while a large
// file is read, so the rule holds there as well.

#include <cstdint>

namespace varneska {

class PlotHost {
public:
    virtual ~PlotHost() = default;
    virtual void SetProgressMax(float max) = 0;
    virtual void SetProgressValue(float value) = 0;
    virtual void DoEvents() = 0;
    virtual void ShowPlot() = 0;
    // colour is red + 256 * green + 65536 * blue.
    virtual void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
};

}  // namespace varneska
