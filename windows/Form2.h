#pragma once
// Form2: the plot window. It has no controls; plot runs paint cells on it through the main
// window's ShowPlot and DrawCell.
//
// The picture lives in a 240 x 240 backing image, so the window repaints itself when uncovered;
// the program never clears it, and a new run paints over the old picture. Closing the window
// discards the picture: the main window lets it go and the next ShowPlot opens a fresh one.
//
// Beyond that, and only when the user asks: its context menu copies the picture to the clipboard
// (Ctrl+C) or saves it as a PNG file (Ctrl+S), exactly as drawn so far, and a file dropped on it
// is handed to the main window to plot.

#include <QByteArray>
#include <QImage>
#include <QString>
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

    // The data file of the run that showed the window last; the save dialog proposes its name.
    void SetDataFile(const QByteArray& path) { m_dataFile = path; }

    // Puts the picture on the clipboard as an image.
    void CopyPicture() const;
    // Asks for a PNG file name, proposing the data file's name with .png in its folder, and
    // saves the picture there.
    void SavePictureAs();
    // Writes the picture to fileName as PNG, whole or not at all: a failure leaves no partial
    // file and is reported with a number and the path. Returns whether it was written.
    bool SavePicture(const QString& fileName);

signals:
    void Closed();
    // A file or folder was dropped on the window.
    void PathDropped(const QByteArray& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QImage m_picture;
    QByteArray m_dataFile;
};

}  // namespace varneska
