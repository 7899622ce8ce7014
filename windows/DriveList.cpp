#include "windows/DriveList.h"

#include <sys/stat.h>

#include <QSet>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>
#include <iterator>

#include "windows/DirectoryListing.h"
#include "windows/FolderList.h"

namespace varneska {

namespace {

bool IsPseudoFileSystem(const QByteArray& type) {
    static const QSet<QByteArray> kPseudo = {
        "proc",       "sysfs",   "cgroup",    "cgroup2",         "devpts",      "devtmpfs",
        "mqueue",     "debugfs", "tracefs",   "securityfs",      "pstore",      "bpf",
        "configfs",   "fusectl", "hugetlbfs", "autofs",          "binfmt_misc", "efivarfs",
        "rpc_pipefs", "nsfs",    "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal"};
    return kPseudo.contains(type);
}

bool IsFolder(const QByteArray& path, dev_t* device = nullptr) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    if (device != nullptr) {
        *device = info.st_dev;
    }
    return true;
}

QByteArray Parent(const QByteArray& folder) {
    const auto slash = folder.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : folder.left(slash);
}

bool Holds(const QByteArray& volume, const QByteArray& folder) {
    if (volume == "/") {
        return folder.startsWith('/');
    }
    return folder == volume || folder.startsWith(volume + '/');
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, &DriveList::Picked);
    Refresh();
    m_refresh.setInterval(3000);
    connect(&m_refresh, &QTimer::timeout, this, &DriveList::Refresh);
    m_refresh.start();
}

QList<QByteArray> DriveList::MountedVolumes() {
    QList<QByteArray> mountPoints;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && !IsPseudoFileSystem(volume.fileSystemType())) {
            mountPoints.push_back(QFile::encodeName(volume.rootPath()));
        }
    }
    return VolumesOffered(std::move(mountPoints), FolderList::Clean("."));
}

QList<QByteArray> DriveList::VolumesOffered(QList<QByteArray> mountPoints,
                                            const QByteArray& startFolder) {
    mountPoints.push_back("/");
    if (!startFolder.isEmpty()) {
        mountPoints.push_back(MountPointOf(startFolder));
    }
    return mountPoints;
}

QByteArray DriveList::MountPointOf(const QByteArray& folder) {
    dev_t device{};
    if (!IsFolder(folder, &device)) {
        return "/";
    }
    QByteArray point = folder;
    while (point != "/") {
        const QByteArray parent = Parent(point);
        dev_t parentDevice{};
        if (!IsFolder(parent, &parentDevice) || parentDevice != device) {
            break;
        }
        point = parent;
    }
    return point;
}

void DriveList::Refresh() {
    SetVolumes(m_source());
}

void DriveList::SetVolumeSource(VolumeSource source) {
    m_source = std::move(source);
    Refresh();
}

void DriveList::SetVolumes(QList<QByteArray> mountPoints) {
    std::sort(mountPoints.begin(), mountPoints.end(), [](const QByteArray& a, const QByteArray& b) {
        // The root first, then by path.
        if ((a == "/") != (b == "/")) {
            return a == "/";
        }
        return a < b;
    });
    mountPoints.erase(std::unique(mountPoints.begin(), mountPoints.end()), mountPoints.end());
    if (mountPoints == m_volumes) {
        return;  // nothing mounted or unmounted: leave the list, and an open popup, alone
    }
    QByteArray selected = SelectedVolume();
    if (!mountPoints.contains(selected)) {
        selected = VolumeOf(mountPoints, m_lastFolder);
    }
    // Current folders of drives that have gone are forgotten.
    for (auto it = m_currentFolders.begin(); it != m_currentFolders.end();) {
        it = mountPoints.contains(it.key()) ? std::next(it) : m_currentFolders.erase(it);
    }

    const QSignalBlocker blocker(this);
    m_volumes = mountPoints;
    clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QByteArray& volume : m_volumes) {
        addItem(icon, DirectoryListing::Shown(volume));
    }
    const auto kept = m_volumes.indexOf(selected);
    m_shownIndex = static_cast<int>(kept >= 0 ? kept : (m_volumes.isEmpty() ? -1 : 0));
    setCurrentIndex(m_shownIndex);
}

QByteArray DriveList::SelectedVolume() const {
    const int index = currentIndex();
    return index >= 0 && index < m_volumes.size() ? m_volumes[index] : QByteArray();
}

QByteArray DriveList::Drive() const {
    const QByteArray volume = SelectedVolume();
    QByteArray folder = m_currentFolders.value(volume, volume);
    // A folder deleted or renamed since it was shown, or one that a volume mounted since then
    // has covered, gives way to the nearest folder above it on this drive.
    while (folder.size() > volume.size() &&
           (!IsFolder(folder) || VolumeOf(m_volumes, folder) != volume)) {
        folder = Parent(folder);
    }
    return folder;
}

QByteArray DriveList::VolumeOf(const QList<QByteArray>& volumes, const QByteArray& folder) {
    QByteArray best;
    for (const QByteArray& volume : volumes) {
        if (Holds(volume, folder) && volume.size() > best.size()) {
            best = volume;
        }
    }
    return best;
}

void DriveList::ShowFolder(const QByteArray& folder) {
    const QByteArray volume = VolumeOf(m_volumes, folder);
    m_lastFolder = folder;
    if (volume.isEmpty()) {
        return;
    }
    // The check reads QHash's parameter names, key and value, as a swap; the volume is the key.
    m_currentFolders.insert(volume, folder);  // NOLINT(readability-suspicious-call-argument)
    SelectSilently(volume);
}

void DriveList::SelectSilently(const QByteArray& volume) {
    const QSignalBlocker blocker(this);
    m_shownIndex = static_cast<int>(m_volumes.indexOf(volume));
    setCurrentIndex(m_shownIndex);
}

void DriveList::Picked(int index) {
    if (index == m_shownIndex) {
        return;  // the same drive again is no change
    }
    m_shownIndex = index;
    emit DriveChanged();
}

}  // namespace varneska
