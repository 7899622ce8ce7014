#pragma once
// DriveList: Drive1 of the main window. Its drives are the mounted volumes that hold files
// (pseudo file systems such as proc, sysfs and cgroup left out), the root first.
//
// Drive is the current folder of the selected drive: the folder last shown on it in this run of
// the program, at first its root; where that folder has gone since, or now lies on another
// volume, the nearest folder above it that is still on the drive. Assigned to the folder list's
// Path, it moves the list there. DriveChanged fires when the user picks another drive.

#include <QByteArray>
#include <QComboBox>
#include <QHash>
#include <QList>
#include <QTimer>
#include <functional>

namespace varneska {

class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    QByteArray Drive() const;

    // The mount point of the selected drive.
    QByteArray SelectedVolume() const;

    // Notes folder as the current folder of the drive that holds it, and shows that drive,
    // without firing DriveChanged.
    void ShowFolder(const QByteArray& folder);

    // Reads the volumes again, keeping the current folders of those still there. It runs every
    // few seconds, so a volume mounted or unmounted meanwhile appears or goes. When the selected
    // drive has gone, the list shows the drive that now holds the folder last shown.
    void Refresh();
    const QList<QByteArray>& Volumes() const noexcept { return m_volumes; }

    // Where Refresh finds the volumes, as mount points: the system's mounted volumes unless
    // replaced. Refreshes at once.
    using VolumeSource = std::function<QList<QByteArray>()>;
    void SetVolumeSource(VolumeSource source);
    static QList<QByteArray> MountedVolumes();

    // The drives offered for a mount table: its volumes, and always the root and the volume that
    // holds startFolder, which the table of a chroot, a container or a sandbox may not list.
    static QList<QByteArray> VolumesOffered(QList<QByteArray> mountPoints,
                                            const QByteArray& startFolder);
    // The mount point of the volume holding folder, found by the device of each folder above it.
    static QByteArray MountPointOf(const QByteArray& folder);

    // The mount point among volumes that holds folder: the longest one that is a prefix of it.
    static QByteArray VolumeOf(const QList<QByteArray>& volumes, const QByteArray& folder);

signals:
    void DriveChanged();

private:
    void SetVolumes(QList<QByteArray> mountPoints);
    void Picked(int index);
    void SelectSilently(const QByteArray& volume);

    VolumeSource m_source = &DriveList::MountedVolumes;
    QList<QByteArray> m_volumes;
    QHash<QByteArray, QByteArray> m_currentFolders;
    QByteArray m_lastFolder;
    int m_shownIndex = -1;
    QTimer m_refresh;
};

}  // namespace varneska
