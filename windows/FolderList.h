#pragma once
// FolderList: Dir1 of the main window, a folder list in the classic style: the chain of folders
// from the root down to Path, each level indented, then the subfolders of Path.
//
// A double-click or Enter on an entry makes it the Path. PathChanged fires whenever the Path
// changes, also when code sets it. When the user opens a folder that cannot be read, the list
// reports it and stays where it was. A folder with very many subfolders shows its chain at once
// and its subfolders once a worker has read them, so the windows stay live meanwhile.

#include <QByteArray>
#include <QFutureWatcher>
#include <memory>

#include "windows/EntryList.h"
#include "windows/ListingJob.h"

namespace varneska {

class FolderList : public EntryList {
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    // An absolute path without a closing separator, but "/" for the root.
    const QByteArray& Path() const noexcept { return m_path; }

    // Shows folder, made absolute and cleaned of "." and ".." steps. Throws RunError, leaving the
    // list as it was, when the folder cannot be listed.
    void SetPath(const QByteArray& folder);
    // True while the subfolders of a large folder are still being read.
    bool Filling() const noexcept { return m_filling; }

    // The absolute, cleaned form of a folder path, as Path holds it.
    static QByteArray Clean(const QByteArray& folder);

signals:
    void PathChanged();

private:
    void Open(int row);
    void Show(const QByteArray& path, const DirectoryListing* subfolders);

    QByteArray m_path;
    // The subfolders still being read for m_path; replacing it drops the one it watched.
    std::unique_ptr<QFutureWatcher<ListingJob::Outcome>> m_pending;
    bool m_filling = false;
};

}  // namespace varneska
