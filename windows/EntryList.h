#pragma once
// EntryList: what the folder list and the file list share: a single-selection list of rows with
// a text and the bytes behind it, where a double-click or Enter on a row fires RowActivated.

#include <QListView>

#include "windows/EntryListModel.h"

namespace varneska {

class EntryList : public QListView {
    Q_OBJECT

public:
    EntryList(QList<QIcon> icons, QWidget* parent);

    int Count() const;
    QString Text(int row) const;
    QByteArray Key(int row) const;
    // The first row whose key is key, or -1.
    int RowOf(const QByteArray& key) const;
    // The current row, or -1; SetCurrentRow also selects it.
    int CurrentRow() const;
    void SetCurrentRow(int row);
    QRect RowRect(int row) const;

signals:
    void RowActivated(int row);

protected:
    void SetRows(QList<EntryListModel::Row> rows);
    void keyPressEvent(QKeyEvent* event) override;

private:
    EntryListModel* m_model;
};

}  // namespace varneska
