#pragma once
// HostProgress: the per-character callback both passes hand to the scanner.
//
// It processes pending window events first and then moves the progress bar, for every character,
// so that a long scan never freezes the windows; the host decides how cheaply it does either.

#include <cstdint>

#include "run/PlotHost.h"

namespace varneska {

struct HostProgress {
    PlotHost& host;

    void operator()(std::uint64_t position) const {
        host.DoEvents();
        host.SetProgressValue(static_cast<float>(static_cast<std::int64_t>(position)));
    }
};

}  // namespace varneska
