// Feeds arbitrary bytes through a whole plot run in memory and checks what must hold for any
// text: the scanner agrees with the literal character walk it is built from, every progress
// report rises within its pass and stays within the text, the plot is shown once between the
// passes, and every cell is a grey of 0..255 in its place of the layout; and a run reached
// through PlotHost& makes the same calls as one over the concrete host.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "run/PlotRun.h"
#include "run/TokenScanner.h"
#include "run/Val.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void Check(bool holds, const char* what) {
    if (!holds) {
        Fail(what);
    }
}

struct Walk {
    std::vector<std::string> tokens;
    std::vector<std::uint64_t> positions;
};

// The character walk with one look-behind character, one character at a time.
Walk LiteralWalk(std::string_view text, std::uint64_t start) {
    Walk walk;
    const std::uint64_t length = text.size();
    std::uint64_t position = start;
    std::string token;
    while (position <= length) {
        char behind = text[position - 1];
        while (behind != ' ' && position < length) {
            behind = text[position - 1];
            token += behind;
            ++position;
            walk.positions.push_back(position);
        }
        ++position;
        walk.tokens.push_back(token);
        token.clear();
    }
    return walk;
}

Walk ScannerWalk(std::string_view text, std::uint64_t start) {
    Walk walk;
    varneska::Scan(
        text, start, [&](std::uint64_t position) { walk.positions.push_back(position); },
        [&](std::string_view token) {
            walk.tokens.emplace_back(token);
            Check(!std::isnan(varneska::Val(token)), "Val gives a number");
        });
    return walk;
}

class PropertyHost : public varneska::PlotHost {
public:
    explicit PropertyHost(std::uint64_t length) : m_length(static_cast<float>(length)) {}

    void SetProgressMax(float max) override {
        Check(m_calls == 0, "the maximum is set first");
        Check(max == m_length + 20.0f, "the maximum is the length plus 20");
        Note(1, max);
        ++m_calls;
    }
    void DoEvents() override {
        Check(!m_eventsPending, "one progress value after every DoEvents");
        m_eventsPending = true;
        Note(2);
        ++m_calls;
    }
    void SetProgressValue(float value) override {
        Check(m_eventsPending, "DoEvents comes before every progress value");
        m_eventsPending = false;
        Check(value > m_lastValue, "progress rises within a pass");
        Check(value >= (m_shown ? 3.0f : 2.0f) && value <= m_length, "progress stays in the text");
        m_lastValue = value;
        Note(3, value);
        ++m_calls;
    }
    void ShowPlot() override {
        Check(!m_shown, "the plot is shown once");
        Check(!m_eventsPending, "no DoEvents left without its value");
        m_shown = true;
        m_lastValue = 0.0f;  // the raster pass starts over
        Note(4);
        ++m_calls;
    }
    void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        Check(m_shown, "cells are drawn after the plot is shown");
        const std::uint32_t grey = colour & 0xFFu;
        Check(colour == grey * 0x010101u, "every colour is a grey of 0..255");
        Check(x2 == x1 + 2.0f && y2 == y1 + 1.0f, "a cell is 2 by 1");
        Check(x1 >= 2.0f && x1 <= 240.0f && std::fmod(x1, 2.0f) == 0.0f, "column 1 to 120");
        Check(std::fmod(y1, 2.0f) == 1.0f, "only odd rows are painted");
        if (m_cells > 0) {
            const bool nextInRow = y1 == m_lastY && x1 == m_lastX + 2.0f;
            const bool nextRow = y1 == m_lastY + 2.0f && x1 == 2.0f && m_lastX == 240.0f;
            Check(nextInRow || nextRow, "cells follow the layout in token order");
        } else {
            Check(y1 == 1.0f && x1 == 2.0f, "the first cell opens row 1");
        }
        m_lastX = x1;
        m_lastY = y1;
        Note(5, x1, y1, colour);
        ++m_cells;
        ++m_calls;
    }

    bool Shown() const { return m_shown; }
    // A digest of every call and its arguments, in order.
    std::uint64_t Digest() const { return m_digest; }

private:
    void Note(int kind, float a = 0.0f, float b = 0.0f, std::uint32_t colour = 0) {
        std::uint32_t bits[2];
        std::memcpy(&bits[0], &a, sizeof a);
        std::memcpy(&bits[1], &b, sizeof b);
        for (const std::uint64_t part : {std::uint64_t(kind), std::uint64_t(bits[0]),
                                         std::uint64_t(bits[1]), std::uint64_t(colour)}) {
            m_digest = (m_digest ^ part) * 0x100000001B3u;
        }
    }

    std::uint64_t m_digest = 0xCBF29CE484222325u;
    float m_length;
    std::uint64_t m_calls = 0;
    std::uint64_t m_cells = 0;
    bool m_eventsPending = false;
    bool m_shown = false;
    float m_lastValue = 0.0f;
    float m_lastX = 0.0f;
    float m_lastY = 0.0f;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Positions are reported as single-precision numbers, exact up to 2^24.
    if (size > (std::size_t{1} << 20)) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::uint64_t start : {1u, 2u}) {
        const Walk literal = LiteralWalk(text, start);
        const Walk scanned = ScannerWalk(text, start);
        Check(scanned.tokens == literal.tokens, "scanner tokens equal the literal walk");
        Check(scanned.positions == literal.positions, "scanner positions equal the literal walk");
    }
    PropertyHost host(size);
    varneska::PlotDataText(text, host);
    Check(host.Shown(), "every run shows the plot");
    PropertyHost viaInterface(size);
    varneska::PlotDataText(text, static_cast<varneska::PlotHost&>(viaInterface));
    Check(viaInterface.Digest() == host.Digest(), "both ways to the host make the same calls");
    return 0;
}
