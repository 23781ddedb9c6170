#include "importdialog/LeftOutModel.h"

#include "importdialog/ImportTexts.h"

namespace importdialog {

using orderimport::ImportRow;

void LeftOutModel::show(const orderimport::ImportCheck* check)
{
    beginResetModel();
    m_check = check;
    m_lines.clear();
    m_chosen = 0;
    QSet<int> stillTicked;
    if (check != nullptr) {
        // Both lists are in the order of the file: merge them.
        auto rejected = check->rejected.begin();
        for (const ImportRow& row : check->rows) {
            if (row.duplicate == ImportRow::Duplicate::None) {
                ++m_chosen;
                continue;
            }
            for (; rejected != check->rejected.end() && rejected->fileRow < row.fileRow; ++rejected) {
                m_lines.push_back({rejected->fileRow, nullptr, &rejected->reason});
            }
            m_lines.push_back({row.fileRow, &row, nullptr});
            if (m_ticked.contains(row.fileRow)) {
                stillTicked.insert(row.fileRow);
                ++m_chosen;
            }
        }
        for (; rejected != check->rejected.end(); ++rejected) {
            m_lines.push_back({rejected->fileRow, nullptr, &rejected->reason});
        }
        m_ticked = stillTicked;
    }
    // Letting go of one check keeps the ticks for the next: only untickAll() clears them.
    endResetModel();
    emit chosenChanged();
}

bool LeftOutModel::isChosen(const ImportRow& row) const
{
    return row.duplicate == ImportRow::Duplicate::None || m_ticked.contains(row.fileRow);
}

qint64 LeftOutModel::leftOutCount() const
{
    return m_check == nullptr ? 0 : qint64(m_check->rows.size() + m_check->rejected.size()) - m_chosen;
}

int LeftOutModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LeftOutModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_lines.size())) {
        return QVariant();
    }
    const Line& line = m_lines[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        if (line.duplicate == nullptr) {
            return texts::leftOutRow(line.fileRow, *line.reason);
        }
        const QString& waybill = line.duplicate->order.waybill;
        return texts::leftOutRow(line.fileRow, line.duplicate->duplicate == ImportRow::Duplicate::Stored
                                                   ? texts::storedAlready(waybill)
                                                   : texts::sameAsRow(waybill, line.duplicate->earlierRow));
    }
    if (role == Qt::CheckStateRole && line.duplicate != nullptr) {
        return m_ticked.contains(line.fileRow) ? Qt::Checked : Qt::Unchecked;
    }
    return QVariant();
}

bool LeftOutModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= int(m_lines.size()) ||
        m_lines[std::size_t(index.row())].duplicate == nullptr) {
        return false;
    }
    const int fileRow = m_lines[std::size_t(index.row())].fileRow;
    const bool tick = value.value<Qt::CheckState>() == Qt::Checked;
    if (tick == m_ticked.contains(fileRow)) {
        return true;
    }
    if (tick) {
        m_ticked.insert(fileRow);
        ++m_chosen;
    } else {
        m_ticked.remove(fileRow);
        --m_chosen;
    }
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit chosenChanged();
    return true;
}

Qt::ItemFlags LeftOutModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractListModel::flags(index);
    if (index.isValid() && index.row() < int(m_lines.size()) &&
        m_lines[std::size_t(index.row())].duplicate != nullptr) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

} // namespace importdialog
