#include "windows/ErrorReport.h"

#include <QMessageBox>

namespace varneska {

void ErrorReport::Show(QWidget* parent, int number, const QString& description) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Varneska"),
                    QStringLiteral("Error %1").arg(number), QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(kObjectName));
    box.setInformativeText(description);
    box.exec();
}

}  // namespace varneska
