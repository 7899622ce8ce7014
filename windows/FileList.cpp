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
}

void FileList::SetPath(const QByteArray& folder) {
    ListingJob job = ListingJob::Start(folder, DirectoryListing::Kind::Files);
    if (job.WaitFor(kPatience)) {
        Fill(ListingJob::Take(job.Future()));  // a failure throws here, before anything has changed
        m_pending.reset();
        m_filling = false;
        m_path = folder;
        return;
    }
    m_path = folder;
    SetRows({});
    m_pending = std::make_unique<QFutureWatcher<ListingJob::Outcome>>();
    connect(m_pending.get(), &QFutureWatcherBase::finished, this, [this] {
        const QFuture<ListingJob::Outcome> future = m_pending->future();
        m_filling = false;
        ErrorReport::Guard(window(), [this, &future] { Fill(ListingJob::Take(future)); });
    });
    m_filling = true;
    m_pending->setFuture(job.Future());
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
