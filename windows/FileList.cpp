#include "windows/FileList.h"

#include <QItemSelectionModel>

#include "windows/DirectoryListing.h"
#include "windows/ErrorReport.h"

namespace varneska {

namespace {

// What an ordinary folder takes to read; past this the list fills itself later.
constexpr auto kPatience = std::chrono::milliseconds(50);

}  // namespace

FileList::FileList(QWidget* parent) : EntryList({}, parent) {
    connect(this, &EntryList::RowActivated, this, [this](int row) {
        SetCurrentRow(row);
        emit FileDoubleClicked();
    });
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, &FileList::CheckPending);
}

void FileList::SetPath(const QByteArray& folder) {
    std::shared_ptr<ListingJob> job = ListingJob::Start(folder, DirectoryListing::Kind::Files);
    if (job->WaitFor(kPatience)) {
        Fill(job->Take());  // a failure throws here, before anything has changed
        m_pending.reset();
        m_poll.stop();
        m_path = folder;
        return;
    }
    m_pending = std::move(job);
    m_path = folder;
    SetRows({});
    m_poll.start();
}

void FileList::CheckPending() {
    if (m_pending == nullptr || !m_pending->WaitFor(std::chrono::milliseconds(0))) {
        return;
    }
    const std::shared_ptr<ListingJob> job = std::move(m_pending);
    m_poll.stop();
    ErrorReport::Guard(window(), [this, &job] { Fill(job->Take()); });
}

void FileList::Fill(const DirectoryListing& listing) {
    QList<EntryListModel::Row> rows;
    rows.reserve(listing.Entries().size());
    for (const DirectoryListing::Entry& entry : listing.Entries()) {
        rows.push_back({entry.shown, entry.name, -1});
    }
    SetRows(std::move(rows));
}

QByteArray FileList::FileName() const {
    const int row = CurrentRow();
    return row >= 0 && selectionModel()->isRowSelected(row, QModelIndex()) ? Key(row)
                                                                            : QByteArray();
}

}  // namespace varneska
