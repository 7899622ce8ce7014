#include "windows/EntryListModel.h"

namespace varneska {

EntryListModel::EntryListModel(QList<QIcon> icons, QObject* parent)
    : QAbstractListModel(parent), m_icons(std::move(icons)) {}

void EntryListModel::SetRows(QList<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) {
        return {};
    }
    const Row& row = m_rows[index.row()];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return row.text;
        case Qt::DecorationRole:
            return row.icon >= 0 && row.icon < m_icons.size() ? QVariant(m_icons[row.icon])
                                                              : QVariant();
        case kKeyRole:
            return row.key;
        default:
            return {};
    }
}

}  // namespace varneska
