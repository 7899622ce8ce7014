#include "windows/FolderList.h"

#include <unistd.h>

#include <QApplication>
#include <QStyle>

#include "windows/DirectoryListing.h"
#include "windows/ErrorReport.h"

namespace varneska {

namespace {

enum Icon { kOpenFolder, kClosedFolder };
// What an ordinary folder takes to read; past this the subfolders are filled in later.
constexpr auto kPatience = std::chrono::milliseconds(50);
const QString kIndent = QStringLiteral("  ");

QList<QIcon> FolderIcons() {
    QStyle* style = QApplication::style();
    return {style->standardIcon(QStyle::SP_DirOpenIcon),
            style->standardIcon(QStyle::SP_DirClosedIcon)};
}

}  // namespace

FolderList::FolderList(QWidget* parent) : EntryList(FolderIcons(), parent) {
    connect(this, &EntryList::RowActivated, this, &FolderList::Open);
}

QByteArray FolderList::Clean(const QByteArray& folder) {
    QByteArray absolute = folder;
    if (!absolute.startsWith('/')) {
        QByteArray current(4096, '\0');
        while (::getcwd(current.data(), static_cast<std::size_t>(current.size())) == nullptr &&
               current.size() < (1 << 20)) {
            current.resize(current.size() * 2);
        }
        current.truncate(static_cast<qsizetype>(qstrlen(current.constData())));
        absolute = DirectoryListing::Join(current, absolute);
    }
    QList<QByteArray> steps;
    for (const QByteArray& step : absolute.split('/')) {
        if (step.isEmpty() || step == ".") {
            continue;
        }
        if (step == "..") {
            if (!steps.isEmpty()) {
                steps.removeLast();
            }
            continue;
        }
        steps.push_back(step);
    }
    return '/' + steps.join('/');
}

void FolderList::SetPath(const QByteArray& folder) {
    const QByteArray path = Clean(folder);
    ListingJob job = ListingJob::Start(path, DirectoryListing::Kind::Folders);
    if (job.WaitFor(kPatience)) {
        // A failure throws here, before anything has changed.
        const DirectoryListing listing = ListingJob::Take(job.Future());
        m_pending.reset();
        m_filling = false;
        Show(path, &listing);
    } else {
        Show(path, nullptr);
        m_pending = std::make_unique<QFutureWatcher<ListingJob::Outcome>>();
        connect(m_pending.get(), &QFutureWatcherBase::finished, this, [this, path] {
            const QFuture<ListingJob::Outcome> future = m_pending->future();
            m_filling = false;
            ErrorReport::Guard(window(), [this, &path, &future] {
                const DirectoryListing listing = ListingJob::Take(future);
                Show(path, &listing);
            });
        });
        m_filling = true;
        m_pending->setFuture(job.Future());
    }
    m_path = path;
    emit PathChanged();
}

void FolderList::Show(const QByteArray& path, const DirectoryListing* subfolders) {
    QList<EntryListModel::Row> rows;
    // The chain from the root down: "/", then one entry per step, each one level deeper.
    QByteArray chainPath = "/";
    rows.push_back({QStringLiteral("/"), chainPath, kOpenFolder});
    int depth = 1;
    for (const QByteArray& step : path.split('/')) {
        if (step.isEmpty()) {
            continue;
        }
        chainPath = DirectoryListing::Join(chainPath, step);
        rows.push_back(
            {kIndent.repeated(depth) + DirectoryListing::Shown(step), chainPath, kOpenFolder});
        ++depth;
    }
    const int current = static_cast<int>(rows.size()) - 1;
    if (subfolders != nullptr) {
        for (const DirectoryListing::Entry& entry : subfolders->Entries()) {
            rows.push_back({kIndent.repeated(depth) + entry.shown,
                            DirectoryListing::Join(path, entry.name), kClosedFolder});
        }
    }
    SetRows(std::move(rows));
    SetCurrentRow(current);
}

void FolderList::Open(int row) {
    ErrorReport::Guard(window(), [this, row] { SetPath(Key(row)); });
}

}  // namespace varneska
