#pragma once
// ReferencePicture: what a plot window must show after a list of cells, painted the plain way:
// every pixel of each box, both corners included, in order, clipped to 240 x 240.

#include <QImage>
#include <vector>

#include "tests/RecordingHost.h"

namespace varneska::test {

inline QImage ReferencePicture(const std::vector<Cell>& cells, QRgb background) {
    QImage picture(240, 240, QImage::Format_RGB32);
    picture.fill(background);
    for (const Cell& cell : cells) {
        const QRgb colour =
            qRgb(static_cast<int>(cell.colour & 0xFF), static_cast<int>((cell.colour >> 8) & 0xFF),
                 static_cast<int>((cell.colour >> 16) & 0xFF));
        for (double y = static_cast<double>(cell.y1); y <= static_cast<double>(cell.y2); ++y) {
            for (double x = static_cast<double>(cell.x1); x <= static_cast<double>(cell.x2); ++x) {
                if (x >= 0 && x < 240 && y >= 0 && y < 240) {
                    picture.setPixel(static_cast<int>(x), static_cast<int>(y), colour);
                }
            }
        }
    }
    return picture;
}

}  // namespace varneska::test
