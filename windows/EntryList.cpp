#include "windows/EntryList.h"

#include <QKeyEvent>

namespace varneska {

EntryList::EntryList(QList<QIcon> icons, QWidget* parent)
    : QListView(parent), m_model(new EntryListModel(std::move(icons), this)) {
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);  // lets the view lay out many thousand rows without measuring each
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit RowActivated(index.row());
        }
    });
}

void EntryList::SetRows(QList<EntryListModel::Row> rows) {
    m_model->SetRows(std::move(rows));
}

int EntryList::Count() const {
    return m_model->rowCount();
}

QString EntryList::Text(int row) const {
    return row >= 0 && row < Count() ? m_model->Rows()[row].text : QString();
}

QByteArray EntryList::Key(int row) const {
    return row >= 0 && row < Count() ? m_model->Rows()[row].key : QByteArray();
}

int EntryList::RowOf(const QByteArray& key) const {
    const auto& rows = m_model->Rows();
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (rows[row].key == key) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int EntryList::CurrentRow() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void EntryList::SetCurrentRow(int row) {
    setCurrentIndex(m_model->index(row));
    scrollTo(m_model->index(row));
}

QRect EntryList::RowRect(int row) const {
    return visualRect(m_model->index(row));
}

void EntryList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && CurrentRow() >= 0) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        emit RowActivated(CurrentRow());
        return;
    }
    QListView::keyPressEvent(event);
}

}  // namespace varneska
