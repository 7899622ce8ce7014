#pragma once
// ListingJob: one folder's listing read on a worker thread with QtConcurrent, so the folder list
// and the file list can show a folder of a hundred thousand entries without freezing the windows
// while it is read and sorted.
//
// A list waits a moment for it, which is all an ordinary folder takes, and otherwise lets a
// QFutureWatcher on Future() fill it when the listing is there. A list that has moved on drops
// its watcher, and with it the listing it no longer wants; the job finishes on its own.

#include <QByteArray>
#include <QFuture>
#include <QSemaphore>
#include <chrono>
#include <exception>
#include <memory>
#include <optional>

#include "windows/DirectoryListing.h"

namespace varneska {

class ListingJob {
public:
    // What the worker hands back: the listing, or the failure it met.
    struct Outcome {
        std::optional<DirectoryListing> listing;
        std::exception_ptr error;
    };

    static ListingJob Start(const QByteArray& folder, DirectoryListing::Kind kind);

    // True once the listing, or its failure, is there; waits at most for the given time.
    bool WaitFor(std::chrono::milliseconds time);

    const QFuture<Outcome>& Future() const noexcept { return m_future; }

    // The listing of a finished job; rethrows the RunError the read failed with.
    static DirectoryListing Take(const QFuture<Outcome>& future);

private:
    QFuture<Outcome> m_future;
    // Released by the worker when it is done: a wait with a time limit, which QFuture lacks.
    std::shared_ptr<QSemaphore> m_done;
};

}  // namespace varneska
