#include "windows/ListingJob.h"

#include <thread>

namespace varneska {

std::shared_ptr<ListingJob> ListingJob::Start(const QByteArray& folder,
                                              DirectoryListing::Kind kind) {
    auto job = std::make_shared<ListingJob>();
    // The thread holds the job, so the list may drop it at any time.
    std::thread([job, folder, kind] {
        std::optional<DirectoryListing> listing;
        std::exception_ptr error;
        try {
            listing = DirectoryListing::Read(folder, kind);
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(job->m_mutex);
        job->m_listing = std::move(listing);
        job->m_error = error;
        job->m_finished = true;
        job->m_done.notify_all();
    }).detach();
    return job;
}

bool ListingJob::WaitFor(std::chrono::milliseconds time) {
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, time, [this] { return m_finished; });
}

DirectoryListing ListingJob::Take() {
    const std::lock_guard lock(m_mutex);
    if (m_error) {
        std::rethrow_exception(m_error);
    }
    return std::move(*m_listing);
}

}  // namespace varneska
