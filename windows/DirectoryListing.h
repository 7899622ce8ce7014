#pragma once
// DirectoryListing: what the folder list and the file list show of one folder: its visible
// subfolders and its visible regular files, each sorted as a person reads them.
//
// Names are kept as the bytes the file system gave, so a name that is not valid UTF-8 still opens;
// the text shown is only for the eye. Hidden entries (a leading period) are left out, and so are
// FIFOs, sockets and devices. Links count as what they point to; a dangling link is left out.

#include <QByteArray>
#include <QList>
#include <QString>

namespace varneska {

class DirectoryListing {
public:
    struct Entry {
        QByteArray name;  // as the file system holds it
        QString shown;    // for display
    };

    enum class Kind { Folders, Files };

    // Reads the entries of one kind. Throws RunError: 76 when the folder does not exist, 70 when
    // it may not be read, 75 when it is not a folder, 57 on a device error.
    static DirectoryListing Read(const QByteArray& folder, Kind kind);

    // The path of name inside folder, with one separator between them.
    static QByteArray Join(const QByteArray& folder, const QByteArray& name);

    // The text shown for a name that may not be valid UTF-8.
    static QString Shown(const QByteArray& name);

    const QList<Entry>& Entries() const noexcept { return m_entries; }

private:
    QList<Entry> m_entries;
};

}  // namespace varneska
