#pragma once
// CountingHost: a host whose operations only count every call and keep the last progress value.
//
// The benchmarks run it both ways: as a concrete type, so the run's template inlines its
// per-character operations as it does the main window's, and through PlotHost&, where every call
// is a virtual call.

#include <cstdint>

#include "run/PlotHost.h"

namespace varneska::bench {

class CountingHost final : public PlotHost {
public:
    void SetProgressMax(float newMax) override { max = newMax; }
    void SetProgressValue(float value) override {
        lastValue = value;
        ++values;
    }
    void DoEvents() override { ++events; }
    void ShowPlot() override { ++shows; }
    void DrawCell(float, float, float, float, std::uint32_t colour) override {
        greySum += colour & 0xFFu;  // keeps the colours observable
        ++cells;
    }

    std::uint64_t events = 0;
    std::uint64_t values = 0;
    std::uint64_t cells = 0;
    std::uint64_t shows = 0;
    std::uint64_t greySum = 0;
    float lastValue = 0.0f;
    float max = 0.0f;
};

}  // namespace varneska::bench
