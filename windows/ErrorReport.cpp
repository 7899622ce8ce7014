#include "windows/ErrorReport.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>
#include <exception>
#include <new>

#include "run/RunError.h"

namespace varneska {

void ErrorReport::Show(QWidget* parent, int number, const QString& description) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Varneska"),
                    QStringLiteral("Error %1").arg(number), QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(kObjectName));
    box.setInformativeText(description);
    // The description names a path, which the box would otherwise break at every separator into
    // a narrow column; as wide as the description, up to most of the screen, it shows an
    // ordinary path on one line. It stays selectable, so the path can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const int most = screen != nullptr ? screen->availableGeometry().width() * 3 / 4 : 800;
    // The spacer spans the icon's column too.
    const int wanted = box.fontMetrics().horizontalAdvance(description) + 96;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(std::min(wanted, most), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

bool ErrorReport::Guard(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const RunError& error) {
        Show(parent, error.Number(), QString::fromUtf8(error.what()));
    } catch (const std::bad_alloc&) {
        Show(parent, static_cast<int>(RunError::Code::OutOfMemory),
             QString::fromUtf8(RunError::Words(RunError::Code::OutOfMemory)));
    } catch (const std::exception& error) {
        Show(parent, static_cast<int>(RunError::Code::Internal),
             QStringLiteral("%1: %2").arg(
                 QString::fromUtf8(RunError::Words(RunError::Code::Internal)),
                 QString::fromUtf8(error.what())));
    }
    return false;
}

}  // namespace varneska
