#include "windows/FolderList.h"

#include <unistd.h>

#include <QKeyEvent>
#include <QStyle>

#include "run/RunError.h"
#include "windows/DirectoryListing.h"
#include "windows/ErrorReport.h"

namespace varneska {

namespace {

constexpr int kPathRole = Qt::UserRole;
const QString kIndent = QStringLiteral("  ");

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::OpenEntry);
}

QByteArray FolderList::Clean(const QByteArray& folder) {
    QByteArray absolute = folder;
    if (!absolute.startsWith('/')) {
        QByteArray current(4096, '\0');
        while (::getcwd(current.data(), static_cast<std::size_t>(current.size())) == nullptr &&
               current.size() < (1 << 20)) {
            current.resize(current.size() * 2);
        }
        current.truncate(static_cast<qsizetype>(qstrlen(current.constData())));
        absolute = DirectoryListing::Join(current, absolute);
    }
    QList<QByteArray> steps;
    for (const QByteArray& step : absolute.split('/')) {
        if (step.isEmpty() || step == ".") {
            continue;
        }
        if (step == "..") {
            if (!steps.isEmpty()) {
                steps.removeLast();
            }
            continue;
        }
        steps.push_back(step);
    }
    return '/' + steps.join('/');
}

void FolderList::SetPath(const QByteArray& folder) {
    const QByteArray path = Clean(folder);
    const DirectoryListing listing = DirectoryListing::Read(path);

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    setUpdatesEnabled(false);
    clear();
    // The chain from the root down: "/", then one entry per step, each one level deeper.
    QByteArray chainPath = "/";
    auto* root = new QListWidgetItem(open, QStringLiteral("/"), this);
    root->setData(kPathRole, chainPath);
    QListWidgetItem* current = root;
    int depth = 1;
    for (const QByteArray& step : path.split('/')) {
        if (step.isEmpty()) {
            continue;
        }
        chainPath = DirectoryListing::Join(chainPath, step);
        current = new QListWidgetItem(open, kIndent.repeated(depth) + DirectoryListing::Shown(step),
                                      this);
        current->setData(kPathRole, chainPath);
        ++depth;
    }
    for (const DirectoryListing::Entry& entry : listing.Folders()) {
        auto* item = new QListWidgetItem(closed, kIndent.repeated(depth) + entry.shown, this);
        item->setData(kPathRole, DirectoryListing::Join(path, entry.name));
    }
    setCurrentItem(current);
    setUpdatesEnabled(true);

    m_path = path;
    emit PathChanged();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        OpenEntry(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::OpenEntry(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    try {
        SetPath(item->data(kPathRole).toByteArray());
    } catch (const RunError& error) {
        ErrorReport::Show(window(), error.Number(), QString::fromUtf8(error.what()));
    }
}

}  // namespace varneska
