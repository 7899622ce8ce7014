#include "tests/windows/WindowTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "windows/EntryList.h"
#include "windows/ErrorReport.h"
#include "windows/FileList.h"
#include "windows/Form1.h"

namespace varneska::test {

ScratchFolder::ScratchFolder() : m_previous(QDir::currentPath()) {
    if (m_folder.isValid()) {
        m_path = QFile::encodeName(QDir(m_folder.path()).canonicalPath());
        QDir::setCurrent(m_folder.path());
    }
}

ScratchFolder::~ScratchFolder() {
    QDir::setCurrent(m_previous);
    // By bytes, and with write permission given back: QTemporaryDir removes by decoded names,
    // which misses names that are not UTF-8, and cannot empty a folder a test locked.
    if (m_folder.isValid()) {
        namespace fs = std::filesystem;
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(m_path.toStdString(), ignored)) {
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(m_path.toStdString(), ignored);
    }
}

void ScratchFolderTest::init() {
    m_scratch = std::make_unique<ScratchFolder>();
    QVERIFY(m_scratch->IsValid());
    m_base = m_scratch->Path();
}

void ScratchFolderTest::cleanup() {
    m_scratch.reset();
    m_base.clear();
}

QStringList Texts(const EntryList& list) {
    QStringList texts;
    for (int row = 0; row < list.Count(); ++row) {
        texts.push_back(list.Text(row));
    }
    return texts;
}

int RowNamed(const EntryList& list, const QString& name) {
    for (int row = 0; row < list.Count(); ++row) {
        if (list.Text(row).trimmed() == name) {
            return row;
        }
    }
    return -1;
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
            const auto* label =
                box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
            onOneLine.push_back(label != nullptr && label->fontMetrics().horizontalAdvance(
                                                        label->text()) <= label->width());
            selectable.push_back(label != nullptr &&
                                 (label->textInteractionFlags() & Qt::TextSelectableByMouse) != 0);
            box->accept();
        }
    });
    m_timer.start();
}

}  // namespace varneska::test
