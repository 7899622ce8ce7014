#include "windows/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "run/RunError.h"

namespace varneska {

namespace {

struct CloseDirectory {
    void operator()(DIR* directory) const noexcept { ::closedir(directory); }
};

[[noreturn]] void ThrowFolderError(int error, const QByteArray& folder) {
    throw RunError::FromErrno(error, folder.toStdString());
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reading order: letters without regard to case, runs of digits by their number ("9" before
// "10"). The same in every locale, so the lists look alike wherever the program runs.
int CompareForReading(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsAsciiDigit(a[i]) && IsAsciiDigit(b[j])) {
            while (i < a.size() && a[i] == QLatin1Char('0')) {
                ++i;
            }
            while (j < b.size() && b[j] == QLatin1Char('0')) {
                ++j;
            }
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && IsAsciiDigit(a[endA])) {
                ++endA;
            }
            while (endB < b.size() && IsAsciiDigit(b[endB])) {
                ++endB;
            }
            if (endA - i != endB - j) {
                return endA - i < endB - j ? -1 : 1;  // fewer digits, smaller number
            }
            for (; i < endA; ++i, ++j) {
                if (a[i] != b[j]) {
                    return a[i] < b[j] ? -1 : 1;
                }
            }
            continue;
        }
        const char32_t ca = a[i].toCaseFolded().unicode();
        const char32_t cb = b[j].toCaseFolded().unicode();
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    const qsizetype restA = a.size() - i;
    const qsizetype restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

void SortForReading(QList<DirectoryListing::Entry>& entries) {
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryListing::Entry& a, const DirectoryListing::Entry& b) {
                  const int order = CompareForReading(a.shown, b.shown);
                  return order != 0 ? order < 0 : a.name < b.name;
              });
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

DirectoryListing DirectoryListing::Read(const QByteArray& folder, Kind kind) {
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
        // Links and file systems that do not tell the type: ask, following links.
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(fd, entry->d_name, &info, 0) == 0) {
                isFolder = S_ISDIR(info.st_mode);
                isFile = S_ISREG(info.st_mode);
            }
        }
        if (kind == Kind::Folders ? isFolder : isFile) {
            listing.m_entries.push_back({name, Shown(name)});
        }
        errno = 0;
    }
    if (errno != 0) {
        ThrowFolderError(errno, folder);
    }
    SortForReading(listing.m_entries);
    return listing;
}

}  // namespace varneska
