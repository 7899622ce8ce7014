#pragma once
// DriveList: Drive1 of the main window. Its drives are the mounted volumes that hold files
// (pseudo file systems such as proc, sysfs and cgroup left out), the root first.
//
// Drive is the current folder of the selected drive: the folder last shown on it in this run of
// the program, at first its root. Assigned to the folder list's Path, it moves the list there.
// DriveChanged fires when the user picks another drive.

#include <QByteArray>
#include <QComboBox>
#include <QHash>
#include <QList>

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

    // Reads the mounted volumes again, keeping the current folders of those still there.
    void Refresh();
    // The volumes to offer, as mount points; Refresh reads them from the system.
    void SetVolumes(QList<QByteArray> mountPoints);

    // The mount point among volumes that holds folder: the longest one that is a prefix of it.
    static QByteArray VolumeOf(const QList<QByteArray>& volumes, const QByteArray& folder);

signals:
    void DriveChanged();

private:
    void Picked(int index);
    void SelectSilently(const QByteArray& volume);

    QList<QByteArray> m_volumes;
    QHash<QByteArray, QByteArray> m_currentFolders;
    int m_shownIndex = -1;
};

}  // namespace varneska
