#include "tests/windows/WindowTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <fstream>

#include "windows/ErrorReport.h"
#include "windows/FileList.h"
#include "windows/Form1.h"

namespace varneska::test {

std::string Fields(const std::vector<std::string>& numbers) {
    std::string text;
    for (const std::string& number : numbers) {
        text += ' ';
        text += number;
        text += ' ';
    }
    return text;
}

void WriteFile(const QByteArray& path, const std::string& bytes) {
    // By its bytes: a name that is not UTF-8 must reach the file system as it is.
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        qFatal("cannot write %s", path.constData());
    }
}

bool DoubleClickFile(Form1& form1, const QByteArray& fileName) {
    FileList* list = form1.File1();
    const int row = list->RowOf(fileName);
    if (row < 0) {
        return false;
    }
    list->scrollTo(list->model()->index(row, 0));
    const QPoint centre = list->RowRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    return true;
}

ReportCatcher::ReportCatcher() {
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->objectName() == QLatin1String(ErrorReport::kObjectName)) {
            reports.push_back(box->text() + QStringLiteral(": ") + box->informativeText());
            box->accept();
        }
    });
    m_timer.start();
}

}  // namespace varneska::test
