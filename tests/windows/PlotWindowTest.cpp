// The plot window and the progress bar as runs leave them: the exact pixels of a small picture,
// the picture kept and painted over between runs, a closed window reopened empty, and the bar's
// Max and Value.

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/windows/WindowTestSupport.h"
#include "windows/FileList.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/ProgressBar.h"

using namespace varneska;

namespace {

// 61 tokens fill row 0, which is never painted; then the cells of row 1 follow.
std::vector<std::string> Row1(std::vector<std::string> cells) {
    std::vector<std::string> numbers(61, "0");
    numbers.insert(numbers.end(), cells.begin(), cells.end());
    return numbers;
}

// The top-left corner of a picture as a grid of letters: '.' for the window's background, 'W',
// 'G' and 'B' for the greys 255, 127 and 0, '?' for anything else.
QStringList Corner(const QImage& picture, int width, int height, QRgb background) {
    QStringList grid;
    for (int y = 0; y < height; ++y) {
        QString line;
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = picture.pixel(x, y) | 0xff000000u;
            line += pixel == (background | 0xff000000u) ? QLatin1Char('.')
                    : pixel == qRgb(255, 255, 255)      ? QLatin1Char('W')
                    : pixel == qRgb(127, 127, 127)      ? QLatin1Char('G')
                    : pixel == qRgb(0, 0, 0)            ? QLatin1Char('B')
                                                        : QLatin1Char('?');
        }
        grid.push_back(line);
    }
    return grid;
}

int CountNot(const QImage& picture, QRgb background) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            count += (picture.pixel(x, y) | 0xff000000u) != (background | 0xff000000u) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

class PlotWindowTest : public test::ScratchFolderTest {
    Q_OBJECT

private slots:
    void init() {
        ScratchFolderTest::init();
        // Three cells of row 1: 10, 5 and 0 at ratio 0.1 are the greys 255, 127 and 0.
        test::WriteFile(m_base + "/three.txt", test::Fields(Row1({"10", "5", "0"})));
        // Row 1 and row 3 in the grey 127.
        std::vector<std::string> tall(61 + 120 * 3, "5");
        tall.front() = "0";
        tall.push_back("10");
        test::WriteFile(m_base + "/tall.txt", test::Fields(tall));
        test::WriteFile(m_base + "/white.txt",
                        test::Fields(Row1(std::vector<std::string>(4, "10"))));
    }

    void runPaintsExactPixels() {
        Form1 form1;
        QVERIFY(test::DoubleClickFile(form1, "three.txt"));
        Form2* form2 = form1.Plot();
        QVERIFY(form2 != nullptr);
        QVERIFY(form2->isVisible());
        QCOMPARE(form2->windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(form2->size(), QSize(240, 240));
        const QRgb background = form2->palette().color(QPalette::Window).rgb();
        // Each box covers both corners, 3 by 2 pixels; the next cell paints over the last column.
        QCOMPARE(Corner(form2->Picture(), 10, 4, background),
                 (QStringList{"..........",  //
                              "..WWGGBBB.",  //
                              "..WWGGBBB.",  //
                              ".........."}));
        QCOMPARE(CountNot(form2->Picture(), background), 14);
        // What the window shows is its picture.
        const QImage shown = form2->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(Corner(shown, 10, 4, background), Corner(form2->Picture(), 10, 4, background));
    }

    void nextRunPaintsOverTheOldPicture() {
        Form1 form1;
        QVERIFY(test::DoubleClickFile(form1, "tall.txt"));
        Form2* form2 = form1.Plot();
        QVERIFY(test::DoubleClickFile(form1, "white.txt"));
        QCOMPARE(form1.Plot(), form2);  // the same window, not cleared
        const QImage& picture = form2->Picture();
        QCOMPARE(picture.pixel(2, 1), qRgb(255, 255, 255));  // painted over by the second run
        QCOMPARE(picture.pixel(10, 2), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(11, 1), qRgb(127, 127, 127));  // past its four cells: the first run
        QCOMPARE(picture.pixel(2, 3), qRgb(127, 127, 127));   // the old row 3 stays
        QCOMPARE(picture.pixel(239, 4), qRgb(127, 127, 127));
    }

    void closedPlotReopensEmpty() {
        Form1 form1;
        QVERIFY(test::DoubleClickFile(form1, "tall.txt"));
        QVERIFY(form1.Plot()->close());
        QCOMPARE(form1.Plot(), nullptr);
        QVERIFY(test::DoubleClickFile(form1, "white.txt"));
        QVERIFY(form1.Plot() != nullptr);
        const QImage& picture = form1.Plot()->Picture();
        const QRgb background = form1.Plot()->palette().color(QPalette::Window).rgb();
        QCOMPARE(picture.pixel(2, 3) | 0xff000000u, background | 0xff000000u);
        QCOMPARE(CountNot(picture, background), 9 * 2);  // four cells: x from 2 to 10, y 1 and 2
    }

    void cellsAreClippedToTheWindow() {
        Form2 form2;
        const QRgb background = form2.Picture().pixel(0, 0);
        form2.DrawCell(238, 238, 240, 239, 0x000000FFu);  // red, partly outside
        form2.DrawCell(240, 1, 242, 2, 0u);               // column 120: wholly outside
        form2.DrawCell(2, 240, 4, 241, 0u);               // row 240: wholly outside
        form2.DrawCell(2, 5e9f, 4, 5e9f, 0u);             // a row far down
        QCOMPARE(form2.Picture().pixel(239, 239), qRgb(255, 0, 0));
        QCOMPARE(form2.Picture().pixel(238, 238), qRgb(255, 0, 0));
        QCOMPARE(form2.Picture().pixel(237, 238), background);
        QCOMPARE(CountNot(form2.Picture(), background), 4);
        form2.DrawCell(10, 10, 12, 11, 0x00FF8040u);  // blue in the third byte
        QCOMPARE(form2.Picture().pixel(11, 10), qRgb(0x40, 0x80, 0xFF));
    }

    void progressBarKeepsMaxAndValue() {
        Form1 form1;
        QVERIFY(test::DoubleClickFile(form1, "three.txt"));
        const auto length = static_cast<float>(61 * 3 + 4 + 3 + 3);
        ProgressBar* bar = form1.ProgressBar1();
        QCOMPARE(bar->Max(), length + 20.0f);
        QCOMPARE(bar->Value(), length);
        QCOMPARE(bar->minimum(), 0);
        QVERIFY(bar->value() > 0 && bar->value() < bar->maximum());
        // A smaller maximum keeps the value; a value above the maximum shows as a full bar.
        form1.SetProgressMax(21.0f);
        QCOMPARE(bar->Value(), length);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(!bar->isTextVisible());
    }

    void designOfTheMainWindow() {
        Form1 form1;
        QCOMPARE(form1.windowTitle(), QStringLiteral("Varneska"));
        QCOMPARE(form1.size(), QSize(312, 253));
        QCOMPARE(form1.findChild<QWidget*>("Drive1")->geometry(), QRect(24, 16, 273, 21));
        QCOMPARE(form1.findChild<QWidget*>("Dir1")->geometry(), QRect(24, 48, 121, 141));
        QCOMPARE(form1.findChild<QWidget*>("File1")->geometry(), QRect(152, 48, 145, 149));
        QCOMPARE(form1.findChild<QWidget*>("ProgressBar1")->geometry(), QRect(24, 216, 273, 17));
        // Tab order of the design: Dir1 first, then File1, Drive1, and round again.
        form1.show();
        QApplication::setActiveWindow(&form1);
        QVERIFY(QTest::qWaitForWindowActive(&form1));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Dir1"));
        for (const char* next : {"File1", "Drive1", "Dir1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
    }

    void everyControlHasAnAccessibleNameAndRole_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::newRow("Drive1") << "Drive1"
                                << "Drive" << int(QAccessible::ComboBox);
        QTest::newRow("Dir1") << "Dir1"
                              << "Folders" << int(QAccessible::List);
        QTest::newRow("File1") << "File1"
                               << "Files" << int(QAccessible::List);
        QTest::newRow("ProgressBar1") << "ProgressBar1"
                                      << "Progress" << int(QAccessible::ProgressBar);
    }

    void everyControlHasAnAccessibleNameAndRole() {
        QFETCH(QString, object);
        QFETCH(QString, name);
        QFETCH(int, role);
        Form1 form1;
        form1.show();
        QWidget* widget = form1.findChild<QWidget*>(object);
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(control != nullptr);
        QCOMPARE(widget->accessibleName(), name);
        QCOMPARE(int(control->role()), role);
        // On Linux a combo box reports its current text as its name, as Qt's accessibility
        // bridge does for every combo box; the other controls report the name given.
        if (role != int(QAccessible::ComboBox)) {
            QCOMPARE(control->text(QAccessible::Name), name);
        }
    }

    void plotWindowHasAnAccessibleName() {
        Form2 form2;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form2);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Plot"));
    }

    void arrowsMoveInTheFileListAndEnterPlots() {
        Form1 form1;
        form1.show();
        FileList* file1 = form1.File1();
        file1->setFocus();
        file1->SetCurrentRow(0);
        QTest::keyClick(file1, Qt::Key_Down);
        QCOMPARE(file1->Key(file1->CurrentRow()), QByteArray("three.txt"));
        QTest::keyClick(file1, Qt::Key_Down);
        QCOMPARE(file1->Key(file1->CurrentRow()), QByteArray("white.txt"));
        QTest::keyClick(file1, Qt::Key_Return);
        QVERIFY(form1.Plot() != nullptr);
        QCOMPARE(form1.Plot()->Picture().pixel(2, 1), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(PlotWindowTest)
#include "PlotWindowTest.moc"
