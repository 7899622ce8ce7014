#pragma once
// FileList: File1 of the main window: the regular files of its Path, sorted, no filter pattern.
//
// FileName is the selected file's name. A double-click on a file, or Enter on the selected one,
// fires FileDoubleClicked, which starts a plot run.

#include <QByteArray>
#include <QFutureWatcher>
#include <memory>

#include "windows/EntryList.h"
#include "windows/ListingJob.h"

namespace varneska {

class FileList : public EntryList {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    const QByteArray& Path() const noexcept { return m_path; }
    // Lists folder. Throws RunError, leaving the list as it was, when it cannot be listed. A
    // folder that takes long to read is shown empty at first and filled once it has been read,
    // while the windows stay live.
    void SetPath(const QByteArray& folder);
    // True while a large folder is still being read.
    bool Filling() const noexcept { return m_filling; }

    // The selected file's name as the file system holds it; empty when none is selected.
    QByteArray FileName() const;

signals:
    void FileDoubleClicked();

private:
    void Fill(const DirectoryListing& listing);

    QByteArray m_path;
    // The listing still being read for m_path; replacing it drops the one it watched.
    std::unique_ptr<QFutureWatcher<ListingJob::Outcome>> m_pending;
    bool m_filling = false;
};

}  // namespace varneska
