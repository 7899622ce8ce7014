#pragma once
// RunAbandoned: thrown from DoEvents once the user has closed the program's last window, so a
// run, and every run it is nested in, unwinds at once instead of scanning on with nothing to
// show. The double-click handler catches it; it never reaches Qt's event loop.

namespace varneska {

struct RunAbandoned {};

}  // namespace varneska
