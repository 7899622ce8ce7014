#include "bench/CountingHost.h"

namespace varneska::bench {

void CountingHost::SetProgressMax(float newMax) { max = newMax; }
void CountingHost::SetProgressValue(float value) {
    lastValue = value;
    ++values;
}
void CountingHost::DoEvents() { ++events; }
void CountingHost::ShowPlot() { ++shows; }
void CountingHost::DrawCell(float, float, float, float, std::uint32_t colour) {
    greySum += colour & 0xFFu;
    ++cells;
}

}  // namespace varneska::bench
