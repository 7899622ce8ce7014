#include "windows/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QCollator>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include "run/RunError.h"

namespace varneska {

namespace {

struct CloseDirectory {
    void operator()(DIR* directory) const noexcept { ::closedir(directory); }
};

[[noreturn]] void ThrowFolderError(int error, const QByteArray& folder) {
    using Code = RunError::Code;
    Code code = Code::PathFileAccess;
    switch (error) {
        case ENOENT:
            code = Code::PathNotFound;
            break;
        case EACCES:
        case EPERM:
            code = Code::PermissionDenied;
            break;
        case EIO:
        case ENXIO:
        case ENOMEDIUM:
            code = Code::DeviceIo;
            break;
        case ENOMEM:
            code = Code::OutOfMemory;
            break;
        default:  // ENOTDIR, ELOOP, ENAMETOOLONG and the rest
            break;
    }
    throw RunError(code, folder.toStdString());
}

void SortForReading(QList<DirectoryListing::Entry>& entries) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    // Sort keys once per entry, not once per comparison: folders can hold many thousand files.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(static_cast<std::size_t>(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        keys.emplace_back(collator.sortKey(entries[i].shown), i);
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first);
        return order != 0 ? order < 0 : entries[a.second].name < entries[b.second].name;
    });
    QList<DirectoryListing::Entry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(entries[key.second]));
    }
    entries = std::move(sorted);
}

}  // namespace

QByteArray DirectoryListing::Join(const QByteArray& folder, const QByteArray& name) {
    QByteArray path = folder;
    if (!path.endsWith('/')) {
        path += '/';
    }
    path += name;
    return path;
}

QString DirectoryListing::Shown(const QByteArray& name) {
    // Bytes that are not UTF-8 show as replacement characters; control characters such as a
    // line feed would break the line of a list, so they show as one too.
    QString shown = QString::fromUtf8(name);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            c = QChar::ReplacementCharacter;
        }
    }
    return shown;
}

DirectoryListing DirectoryListing::Read(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        ThrowFolderError(errno, folder);
    }
    const std::unique_ptr<DIR, CloseDirectory> directory(::fdopendir(fd));
    if (!directory) {
        const int error = errno;
        ::close(fd);
        ThrowFolderError(error, folder);
    }

    DirectoryListing listing;
    errno = 0;
    while (const dirent* entry = ::readdir(directory.get())) {
        const QByteArray name(entry->d_name);
        if (name.startsWith('.')) {
            continue;  // hidden, and the . and .. entries
        }
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(fd, entry->d_name, &info, 0) == 0) {
                isFolder = S_ISDIR(info.st_mode);
                isFile = S_ISREG(info.st_mode);
            }
        }
        if (isFolder) {
            listing.m_folders.push_back({name, Shown(name)});
        } else if (isFile) {
            listing.m_files.push_back({name, Shown(name)});
        }
        errno = 0;
    }
    if (errno != 0) {
        ThrowFolderError(errno, folder);
    }
    SortForReading(listing.m_folders);
    SortForReading(listing.m_files);
    return listing;
}

}  // namespace varneska
