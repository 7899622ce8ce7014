#include "windows/Form2.h"

#include <QCloseEvent>
#include <QPainter>
#include <cmath>

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
    : QWidget(parent, Qt::Window),
      m_picture(kClientSize, kClientSize, QImage::Format_RGB32) {
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(kClientSize, kClientSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Plot"));
    m_picture.fill(palette().color(QPalette::Window));
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
