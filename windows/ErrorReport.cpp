#include "windows/ErrorReport.h"

#include <QMessageBox>
#include <exception>
#include <new>

#include "run/RunError.h"

namespace varneska {

void ErrorReport::Show(QWidget* parent, int number, const QString& description) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Varneska"),
                    QStringLiteral("Error %1").arg(number), QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(kObjectName));
    box.setInformativeText(description);
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
             QStringLiteral("%1: %2").arg(QString::fromUtf8(RunError::Words(RunError::Code::Internal)),
                                         QString::fromUtf8(error.what())));
    }
    return false;
}

}  // namespace varneska
