// Closing the program's last window during a run abandons the run at once: no plot window
// appears afterwards and the program is told to quit. In a program of its own, because the quit
// it asks for ends the application.

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/windows/WindowTestSupport.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/ProgressBar.h"

using namespace varneska;

class AbandonTest : public QObject {
    Q_OBJECT

private slots:
    void closingTheLastWindowAbandonsTheRun() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        // Long enough that a whole run takes far longer than the abandonment may.
        const std::string fields = test::Fields(std::vector<std::string>(4000000, "7"));
        test::WriteFile(QFile::encodeName(folder.path()) + "/big.txt", fields);

        Form1 form1;
        form1.show();
        QElapsedTimer sinceClose;
        QTimer::singleShot(0, &form1, [&] {
            form1.close();
            sinceClose.start();
        });
        QVERIFY(test::DoubleClickFile(form1, "big.txt"));
        QVERIFY(sinceClose.isValid());
        const qint64 took = sinceClose.elapsed();
        QVERIFY2(took < 250 * test::kSlowdown,
                 qPrintable(QStringLiteral("abandoned after %1 ms").arg(took)));
        // The run stopped in its range pass: the plot window never appeared.
        QCOMPARE(form1.Plot(), nullptr);
        QVERIFY(form1.ProgressBar1()->Value() < static_cast<float>(fields.size()));
        QDir::setCurrent(previous);
    }
};

QTEST_MAIN(AbandonTest)
#include "AbandonTest.moc"
