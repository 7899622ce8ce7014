#pragma once
// EntryListModel: the rows of the folder list or the file list. A plain list model instead of
// one widget item per row, so a folder of a hundred thousand files shows at once.

#include <QAbstractListModel>
#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>

namespace varneska {

class EntryListModel : public QAbstractListModel {
    Q_OBJECT

public:
    struct Row {
        QString text;    // what the list shows
        QByteArray key;  // the bytes behind it: a path or a file name
        int icon = -1;   // index into the icons, or none
    };

    // The role under which a row's key can be read.
    static constexpr int kKeyRole = Qt::UserRole;

    explicit EntryListModel(QList<QIcon> icons, QObject* parent = nullptr);

    void SetRows(QList<Row> rows);
    const QList<Row>& Rows() const noexcept { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<QIcon> m_icons;
    QList<Row> m_rows;
};

}  // namespace varneska
