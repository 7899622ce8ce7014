#include "windows/FolderList.h"

#include <unistd.h>

#include <QApplication>
#include <QStyle>

#include "windows/DirectoryListing.h"
#include "windows/ErrorReport.h"

namespace varneska {

namespace {

enum Icon { kOpenFolder, kClosedFolder };
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
    const DirectoryListing listing = DirectoryListing::Read(path, DirectoryListing::Kind::Folders);

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
    for (const DirectoryListing::Entry& entry : listing.Entries()) {
        rows.push_back({kIndent.repeated(depth) + entry.shown,
                        DirectoryListing::Join(path, entry.name), kClosedFolder});
    }
    SetRows(std::move(rows));
    SetCurrentRow(current);

    m_path = path;
    emit PathChanged();
}

void FolderList::Open(int row) {
    ErrorReport::Guard(window(), [this, row] { SetPath(Key(row)); });
}

}  // namespace varneska
