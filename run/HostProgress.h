#pragma once
// HostProgress: the per-character callback both passes hand to the scanner.
//
// It processes pending window events first and then moves the progress bar, for every character,
// so that a long scan never freezes the windows; the host decides how cheaply it does either. Over
// a concrete host type both operations are inlined into the character walk; over PlotHost they
// are two virtual calls per character.

#include <cstdint>

namespace varneska {

template <class Host>
struct HostProgress {
    Host& host;

    void operator()(std::uint64_t position) const {
        host.DoEvents();
        // Through a signed integer: the conversion from a signed 64-bit integer to a float is
        // one instruction, the unsigned one a branch and two.
        host.SetProgressValue(static_cast<float>(static_cast<std::int64_t>(position)));
    }
};

}  // namespace varneska
