// At a device pixel ratio of 2 the plot window shows the same picture, every pixel a block of 2
// by 2 device pixels of exactly its colour, and the main window keeps its design in logical
// pixels. Its own program, because the scale factor is read once at start.

#include <QTest>

#include "windows/Form1.h"
#include "windows/Form2.h"

using namespace varneska;

class HighDensityTest : public QObject {
    Q_OBJECT

private slots:
    void plotIsScaledByWholePixels() {
        Form2 form2;
        form2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form2));
        QCOMPARE(form2.devicePixelRatio(), 2.0);
        for (int column = 1; column <= 119; ++column) {
            const auto grey = static_cast<std::uint32_t>(column * 2);
            form2.DrawCell(static_cast<float>(2 * column), 1, static_cast<float>(2 * column + 2), 2,
                           grey * 0x010101u);
        }
        const QImage shown = form2.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(480, 480));
        const QImage& picture = form2.Picture();
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 240; ++x) {
                const QRgb want = picture.pixel(x, y);
                for (int dy = 0; dy < 2; ++dy) {
                    for (int dx = 0; dx < 2; ++dx) {
                        QCOMPARE(shown.pixel(2 * x + dx, 2 * y + dy), want);
                    }
                }
            }
        }
    }

    void mainWindowKeepsItsDesign() {
        Form1 form1;
        form1.show();
        QCOMPARE(form1.size(), QSize(312, 253));
        QCOMPARE(form1.devicePixelRatio(), 2.0);
        QVERIFY(form1.findChild<QWidget*>("File1")->fontMetrics().height() >= 10);
    }
};

QTEST_MAIN(HighDensityTest)
#include "HighDensityTest.moc"
