#pragma once
// ListingJob: reads a folder's listing on a worker thread, so the file list can show a folder of
// a hundred thousand files without freezing the windows while it is read and sorted.
//
// The file list waits a moment for it, which is all an ordinary folder takes, and otherwise
// fills itself when the job is done. A job nobody waits for any more finishes on its own.

#include <QByteArray>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>

#include "windows/DirectoryListing.h"

namespace varneska {

class ListingJob {
public:
    static std::shared_ptr<ListingJob> Start(const QByteArray& folder, DirectoryListing::Kind kind);

    // True once the listing, or its failure, is there; waits at most for the given time.
    bool WaitFor(std::chrono::milliseconds time);

    // The listing; rethrows the RunError the read failed with. Only once WaitFor said true.
    DirectoryListing Take();

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::optional<DirectoryListing> m_listing;
    std::exception_ptr m_error;
};

}  // namespace varneska
