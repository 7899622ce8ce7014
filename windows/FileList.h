#pragma once
// FileList: File1 of the main window: the regular files of its Path, sorted, no filter pattern.
//
// FileName is the selected file's name. A double-click on a file, or Enter on the selected one,
// fires FileDoubleClicked, which starts a plot run.

#include <QByteArray>
#include <QListWidget>

namespace varneska {

class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    const QByteArray& Path() const noexcept { return m_path; }
    // Lists folder. Throws RunError, leaving the list as it was, when it cannot be listed.
    void SetPath(const QByteArray& folder);

    // The selected file's name as the file system holds it; empty when none is selected.
    QByteArray FileName() const;

signals:
    void FileDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QByteArray m_path;
};

}  // namespace varneska
