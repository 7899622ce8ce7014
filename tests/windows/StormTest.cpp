// Many double-clicks during runs, and many files of every shape through the real windows: runs
// nest and unwind without a crash, and the plot window always shows exactly the cells the runs
// painted, in the order they painted them.

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <random>

#include "run/PlotRun.h"
#include "tests/RecordingHost.h"
#include "tests/windows/ReferencePicture.h"
#include "tests/windows/WindowTestSupport.h"
#include "windows/FileList.h"
#include "windows/Form1.h"
#include "windows/Form2.h"

using namespace varneska;

namespace {

// Notes every cell and every start of a run as the main window's runs make them.
class Recorder : public Form1::RunWatcher {
public:
    explicit Recorder(Form1& form1) {
        form1.SetRunWatcher(this);
        // Connected after the main window's own handler, so it is called once a run has ended.
        QObject::connect(form1.File1(), &FileList::FileDoubleClicked, &form1, [this] { ++ended; });
    }
    void RunStarted() override {
        ++starts;
        deepest = std::max(deepest, starts - ended);
        if (onStart) {
            onStart();
        }
    }
    void CellDrawn(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        cells.push_back({x1, y1, x2, y2, colour});
    }

    std::function<void()> onStart;  // called as each run starts
    std::vector<test::Cell> cells;
    int starts = 0;
    int ended = 0;
    int deepest = 0;  // the most runs going on at once
};

QRgb Background(const Form2* form2) {
    return form2->palette().color(QPalette::Window).rgb();
}

// Random bytes, mostly the characters the reader cares about.
std::string RandomBytes(std::mt19937& random) {
    static const char kAlphabet[] = "      0123456789.-+eEdD\r\n\t,x";
    const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 12000)(random);
    std::string text(size, ' ');
    for (char& c : text) {
        if (std::uniform_int_distribution<int>(0, 40)(random) == 0) {
            c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        } else {
            c = kAlphabet[std::uniform_int_distribution<std::size_t>(0,
                                                                     sizeof kAlphabet - 2)(random)];
        }
    }
    return text;
}

// Fields of values of every size and sign.
std::string RandomFields(std::mt19937& random) {
    const int count = std::uniform_int_distribution<int>(0, 3000)(random);
    std::vector<std::string> numbers;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < count; ++i) {
        const double scale = std::pow(10.0, std::uniform_int_distribution<int>(-5, 5)(random));
        char number[64];
        std::snprintf(number, sizeof number, "%.6g", (unit(random) - 0.2) * scale);
        numbers.emplace_back(number);
    }
    return test::Fields(numbers);
}

}  // namespace

class StormTest : public test::ScratchFolderTest {
    Q_OBJECT

private slots:

    void doubleClickStormNestsAndUnwinds() {
        // Files whose values are padded with tabs, so each run lasts long enough for the next
        // double-click to land inside it; each paints its own shapes of rows and greys.
        constexpr int kFiles = 16;
        QList<QByteArray> names;
        for (int k = 0; k < kFiles; ++k) {
            std::vector<std::string> numbers(61, "0");
            const int cells = 20 + 37 * k;
            for (int t = 0; t < 120 * 2 + cells; ++t) {
                numbers.push_back(std::string(6000, '\t') + std::to_string((t + k) % 11));
            }
            const QByteArray name = QByteArray("storm-") + QByteArray::number(k + 10) + ".txt";
            test::WriteFile(m_base + "/" + name, test::Fields(numbers));
            names.push_back(name);
        }
        Form1 form1;
        Recorder recorder(form1);
        form1.show();
        // Each run, as it starts, has the next file double-clicked as soon as the windows handle
        // their events, which is inside that run while it goes on: the runs nest one in another.
        int clicked = 1;
        int next = 1;
        recorder.onStart = [&form1, &clicked, &next, &names] {
            if (next < kFiles) {
                QTimer::singleShot(0, &form1, [&form1, &clicked, name = names[next++]] {
                    test::DoubleClickFile(form1, name);
                    ++clicked;
                });
            }
        };
        QVERIFY(test::DoubleClickFile(form1, names[0]));
        QTRY_COMPARE(clicked, kFiles);  // those left over land between runs
        QCOMPARE(recorder.starts, kFiles);
        QCOMPARE(recorder.ended, kFiles);
        qInfo("%d runs, at most %d at once", recorder.starts, recorder.deepest);
        QVERIFY2(recorder.deepest >= 4, "runs started inside runs inside runs");
        QVERIFY(form1.Plot() != nullptr);
        QCOMPARE(form1.Plot()->Picture(),
                 test::ReferencePicture(recorder.cells, Background(form1.Plot())));
    }

    void manyFilesGiveThePicturesThePlotRunComputes() {
        std::mt19937 random(20261211);
        constexpr int kFiles = 300;
        std::vector<std::string> texts;
        for (int i = 0; i < kFiles; ++i) {
            texts.push_back(i % 2 == 0 ? RandomBytes(random) : RandomFields(random));
            test::WriteFile(m_base + "/stress-" + QByteArray::number(1000 + i), texts.back());
        }
        Form1 form1;
        form1.show();
        test::ReportCatcher catcher;
        for (int i = 0; i < kFiles; ++i) {
            if (form1.Plot() != nullptr) {
                form1.Plot()->close();  // each picture on a fresh window
            }
            QVERIFY(test::DoubleClickFile(form1, "stress-" + QByteArray::number(1000 + i)));
            QVERIFY(form1.Plot() != nullptr);
            test::RecordingHost alone;
            PlotDataText(texts[static_cast<std::size_t>(i)], alone);
            QVERIFY2(form1.Plot()->Picture() ==
                         test::ReferencePicture(alone.Cells(), Background(form1.Plot())),
                     qPrintable(QStringLiteral("file %1").arg(i)));
        }
        QCOMPARE(catcher.reports, QStringList());
    }
};

QTEST_MAIN(StormTest)
#include "StormTest.moc"
