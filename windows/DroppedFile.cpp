#include "windows/DroppedFile.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace varneska {

QByteArray DroppedFile::PathOf(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            // The percent-encoded form keeps every byte of the name, where the decoded text
            // would turn bytes that are not UTF-8 into replacement characters.
            return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        }
    }
    return {};
}

void DroppedFile::Enter(QDragEnterEvent* event) {
    if (!PathOf(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

QByteArray DroppedFile::Take(QDropEvent* event) {
    QByteArray path = PathOf(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
    }
    return path;
}

}  // namespace varneska
