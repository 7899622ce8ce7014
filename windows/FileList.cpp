#include "windows/FileList.h"

#include <QKeyEvent>

#include "windows/DirectoryListing.h"

namespace varneska {

namespace {

constexpr int kNameRole = Qt::UserRole;

}  // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item != nullptr) {
            setCurrentItem(item);
            emit FileDoubleClicked();
        }
    });
}

void FileList::SetPath(const QByteArray& folder) {
    const DirectoryListing listing = DirectoryListing::Read(folder);
    setUpdatesEnabled(false);
    clear();
    for (const DirectoryListing::Entry& entry : listing.Files()) {
        auto* item = new QListWidgetItem(entry.shown, this);
        item->setData(kNameRole, entry.name);
    }
    setUpdatesEnabled(true);
    m_path = folder;
}

QByteArray FileList::FileName() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? item->data(kNameRole).toByteArray()
                                                 : QByteArray();
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        currentItem()->setSelected(true);
        emit FileDoubleClicked();
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace varneska
