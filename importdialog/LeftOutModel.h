#pragma once

#include "orderimport/OrderImport.h"

#include <QAbstractListModel>
#include <QSet>
#include <vector>

namespace importdialog {

// The rows of a checked file that are left out, one a line in the order of the file: the rows that make
// no order, with the reason, and the likely duplicates, each with a box that ticks it back in (unticked at
// first). A ticked duplicate stays ticked across checks of the same file while its row is still one.
class LeftOutModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Shows the rows of a new check; check must outlive the model's use of it.
    void show(const orderimport::ImportCheck* check);
    // Forgets every tick (a file read anew).
    void untickAll() { m_ticked.clear(); }

    bool isChosen(const orderimport::ImportRow& row) const;
    qint64 chosenCount() const { return m_chosen; }
    qint64 leftOutCount() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void chosenChanged();

private:
    struct Line
    {
        int fileRow;
        const orderimport::ImportRow* duplicate; // null: a row that makes no order
        const QString* reason;                   // of a rejected row
    };

    const orderimport::ImportCheck* m_check = nullptr;
    std::vector<Line> m_lines;
    QSet<int> m_ticked; // the file rows of the duplicates ticked back in
    qint64 m_chosen = 0;
};

} // namespace importdialog
