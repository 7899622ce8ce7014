#include "windows/Form2.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <cerrno>
#include <cmath>

#include "run/RunError.h"
#include "windows/DroppedFile.h"
#include "windows/ErrorReport.h"

namespace varneska {

namespace {

// A coordinate as a pixel index held to [low, high]; NaN counts as low.
int ClampedPixel(float coordinate, int low, int high) {
    if (!(coordinate > static_cast<float>(low))) {
        return low;
    }
    if (coordinate >= static_cast<float>(high)) {
        return high;
    }
    return static_cast<int>(std::lround(coordinate));
}

}  // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent, Qt::Window), m_picture(kClientSize, kClientSize, QImage::Format_RGB32) {
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(kClientSize, kClientSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Plot"));
    m_picture.fill(palette().color(QPalette::Window));
    setAcceptDrops(true);

    // The menu holds the two actions and nothing else; their keys work while the window has
    // the focus.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(tr("Copy Picture"), this);
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &Form2::CopyPicture);
    addAction(copy);
    auto* save = new QAction(tr("Save Picture As\u2026"), this);
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &Form2::SavePictureAs);
    addAction(save);
}

void Form2::CopyPicture() const {
    QGuiApplication::clipboard()->setImage(m_picture);
}

void Form2::SavePictureAs() {
    QString proposed = QStringLiteral("plot.png");
    if (!m_dataFile.isEmpty()) {
        const QFileInfo dataFile(QFile::decodeName(m_dataFile));
        proposed = dataFile.dir().filePath(dataFile.completeBaseName() + QStringLiteral(".png"));
    }
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save Picture As"), proposed,
                                                          tr("PNG images (*.png)"));
    if (!fileName.isEmpty()) {
        SavePicture(fileName);
    }
}

bool Form2::SavePicture(const QString& fileName) {
    // QSaveFile writes to a temporary file beside the target and renames it over the target on
    // commit, so the target is either the whole picture or untouched.
    QSaveFile file(fileName);
    errno = 0;
    const bool opened = file.open(QIODevice::WriteOnly);
    const int openError = errno;
    if (opened && m_picture.save(&file, "PNG") && file.commit()) {
        return true;
    }
    const RunError::Code code =
        !opened && openError != 0 ? RunError::CodeOfErrno(openError) : RunError::Code::DeviceIo;
    ErrorReport::Show(
        this, static_cast<int>(code),
        QStringLiteral("%1: %2").arg(QString::fromUtf8(RunError::Words(code)), fileName));
    return false;
}

void Form2::dragEnterEvent(QDragEnterEvent* event) {
    DroppedFile::Enter(event);
}

void Form2::dropEvent(QDropEvent* event) {
    const QByteArray path = DroppedFile::Take(event);
    if (!path.isEmpty()) {
        emit PathDropped(path);
    }
}

void Form2::DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    constexpr auto kLast = static_cast<float>(kClientSize - 1);
    // Most cells of a long file lie below the window; leave those at once.
    if (!(x1 <= kLast && y1 <= kLast && x2 >= 0.0f && y2 >= 0.0f)) {
        return;
    }
    const int left = ClampedPixel(std::fmin(x1, x2), 0, kClientSize - 1);
    const int right = ClampedPixel(std::fmax(x1, x2), 0, kClientSize - 1);
    const int top = ClampedPixel(std::fmin(y1, y2), 0, kClientSize - 1);
    const int bottom = ClampedPixel(std::fmax(y1, y2), 0, kClientSize - 1);
    const QRgb rgb = qRgb(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                          static_cast<int>((colour >> 16) & 0xFFu));
    for (int y = top; y <= bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_picture.scanLine(y));
        for (int x = left; x <= right; ++x) {
            line[x] = rgb;
        }
    }
    update(left, top, right - left + 1, bottom - top + 1);
}

void Form2::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // On a high-density screen every picture pixel becomes a block of whole device pixels,
    // never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(event->rect(), m_picture, event->rect());
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

}  // namespace varneska
