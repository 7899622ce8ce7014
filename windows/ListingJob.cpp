#include "windows/ListingJob.h"

#include <QtConcurrent/QtConcurrentRun>

namespace varneska {

ListingJob ListingJob::Start(const QByteArray& folder, DirectoryListing::Kind kind) {
    ListingJob job;
    job.m_done = std::make_shared<QSemaphore>();
    job.m_future = QtConcurrent::run([folder, kind, done = job.m_done] {
        Outcome outcome;
        try {
            outcome.listing = DirectoryListing::Read(folder, kind);
        } catch (...) {
            outcome.error = std::current_exception();
        }
        done->release();
        return outcome;
    });
    return job;
}

bool ListingJob::WaitFor(std::chrono::milliseconds time) {
    if (!m_done->tryAcquire(1, static_cast<int>(time.count()))) {
        return false;
    }
    m_done->release();           // leaves it there for another wait
    m_future.waitForFinished();  // the worker has released; its result follows at once
    return true;
}

DirectoryListing ListingJob::Take(const QFuture<Outcome>& future) {
    Outcome outcome = future.result();
    if (outcome.error) {
        std::rethrow_exception(outcome.error);
    }
    return std::move(*outcome.listing);
}

}  // namespace varneska
