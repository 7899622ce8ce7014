#pragma once
// Form2: the plot window. It has no controls; plot runs paint cells on it through the main
// window's ShowPlot and DrawCell.
//
// The picture lives in a 240 x 240 backing image, so the window repaints itself when uncovered;
// the program never clears it, and a new run paints over the old picture. Closing the window
// discards the picture: the main window lets it go and the next ShowPlot opens a fresh one.

#include <QImage>
#include <QWidget>
#include <cstdint>

namespace varneska {

class Form2 : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientSize = 240;

    explicit Form2(QWidget* parent = nullptr);

    // A box from (x1, y1) to (x2, y2), both corners included, in one colour (red in the low
    // byte), clipped to the client area.
    void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour);

    const QImage& Picture() const noexcept { return m_picture; }

signals:
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QImage m_picture;
};

}  // namespace varneska
