#pragma once
// CountingHost: a PlotHost whose operations only count. It lives in its own translation unit so
// the calls a run makes cost what a real, out-of-line host costs.

#include <cstdint>

#include "run/PlotHost.h"

namespace varneska::bench {

class CountingHost : public PlotHost {
public:
    void SetProgressMax(float max) override;
    void SetProgressValue(float value) override;
    void DoEvents() override;
    void ShowPlot() override;
    void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) override;

    std::uint64_t events = 0;
    std::uint64_t values = 0;
    std::uint64_t cells = 0;
    std::uint64_t shows = 0;
    std::uint64_t greySum = 0;  // keeps the colours observable
    float lastValue = 0.0f;
    float max = 0.0f;
};

}  // namespace varneska::bench
