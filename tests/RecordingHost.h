#pragma once
// RecordingHost: a PlotHost that keeps every call a run makes, in order, for tests to compare.

#include <cstdint>
#include <string>
#include <vector>

#include "run/PlotHost.h"

namespace varneska::test {

struct Cell {
    float x1, y1, x2, y2;
    std::uint32_t colour;
    bool operator==(const Cell&) const = default;
};

class RecordingHost : public PlotHost {
public:
    enum class Kind { ProgressMax, ProgressValue, Events, Show, Draw };
    struct Call {
        Kind kind;
        float value;  // Max or Value for the progress calls
        Cell cell;    // for Draw
        bool operator==(const Call&) const = default;
    };

    void SetProgressMax(float max) override { calls.push_back({Kind::ProgressMax, max, {}}); }
    void SetProgressValue(float value) override {
        calls.push_back({Kind::ProgressValue, value, {}});
    }
    void DoEvents() override { calls.push_back({Kind::Events, 0.0f, {}}); }
    void ShowPlot() override { calls.push_back({Kind::Show, 0.0f, {}}); }
    void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        calls.push_back({Kind::Draw, 0.0f, {x1, y1, x2, y2, colour}});
    }

    std::vector<Cell> Cells() const {
        std::vector<Cell> cells;
        for (const Call& call : calls) {
            if (call.kind == Kind::Draw) {
                cells.push_back(call.cell);
            }
        }
        return cells;
    }

    std::vector<float> ProgressValues() const {
        std::vector<float> values;
        for (const Call& call : calls) {
            if (call.kind == Kind::ProgressValue) {
                values.push_back(call.value);
            }
        }
        return values;
    }

    std::vector<Call> calls;
};

}  // namespace varneska::test
