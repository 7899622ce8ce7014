#pragma once
// DroppedFile: what a drop on either window names: the first local file or folder among the
// dropped URLs, as the bytes of its path, so a name that is not valid UTF-8 still opens. Both
// windows accept a drop only when there is one.

#include <QByteArray>

class QDragEnterEvent;
class QDropEvent;
class QMimeData;

namespace varneska {

class DroppedFile {
public:
    // The path of the first local file or folder in data; empty when there is none.
    static QByteArray PathOf(const QMimeData* data);

    // What both windows do with a drag entering them: accept it when it holds such a path.
    static void Enter(QDragEnterEvent* event);
    // What both windows do with a drop: accept it and return its path, or return nothing.
    static QByteArray Take(QDropEvent* event);
};

}  // namespace varneska
