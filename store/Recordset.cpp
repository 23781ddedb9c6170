#include "store/Recordset.h"

#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/StoredDate.h"
#include "store/TextForms.h"
#include "store/Totals.h"
#include "store/Translator.h"

#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace store {

struct Recordset::Impl
{
    bool open = false;
    QStringList names;
    std::vector<Field> cells; // row by row
    qint64 rows = 0;
    qint64 row = 0;
    std::vector<qint64> marked; // rows (result indexes) waiting for UpdateBatch
    qint64 affected = 0;

    const Field& cell(qint64 r, int column) const { return cells[std::size_t(r * names.size() + column)]; }
    int indexOf(QStringView name) const
    {
        for (int i = 0; i < names.size(); ++i) {
            if (name.compare(names.at(i), Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }
};

Recordset::Recordset()
    : d(std::make_unique<Impl>())
{}

Recordset::~Recordset() = default;

void Recordset::requireWritableLock() const
{
    if (LockType == readOnlyLock) {
        throw StoreError(StoreError::Kind::Refused, texts::readOnlyRecordset);
    }
}

QString Recordset::dataFile() const
{
    if (ActiveConnection.isEmpty()) {
        throw StoreError(StoreError::Kind::Refused, texts::noConnection);
    }
    return ActiveConnection.dataFile;
}

void Recordset::Open()
{
    Close();
    d->affected = 0;
    // The statement is read before the file is touched: a refused statement changes nothing.
    const Translation statement = translate(Source);
    if (statement.writes) {
        requireWritableLock();
    }
    Connection connection(dataFile());
    if (statement.writes) {
        d->affected = connection.write(statement);
        return;
    }
    // The connection ends here: the whole result is in memory, and UpdateBatch opens a fresh one.
    if (statement.aggregate) {
        TotalsScan totals({*statement.aggregate});
        connection.scan("SELECT jj,sl,sj FROM ddlist WHERE " + statement.where, statement.params,
                        [&](sqlite3_stmt* st) { totals.addRow(st, 0); });
        const Field value = Field::ofTotal(totals.totals().front());
        // The alias as the statement names it: SQLite tells it without running anything.
        connection.scan(
            statement.sql, statement.params, [](sqlite3_stmt*) {},
            [&](sqlite3_stmt* st) { d->names = {QString::fromUtf8(sqlite3_column_name(st, 0))}; });
        d->cells = {value};
        d->rows = 1;
    } else {
        connection.scan(
            statement.sql, statement.params,
            [&](sqlite3_stmt* st) {
                for (int c = 0; c < d->names.size(); ++c) {
                    d->cells.push_back(
                        Field::read(st, c, d->names.at(c).compare(u"xsdate", Qt::CaseInsensitive) == 0));
                }
                ++d->rows;
            },
            [&](sqlite3_stmt* st) {
                for (int c = 0; c < sqlite3_column_count(st); ++c) {
                    d->names << QString::fromUtf8(sqlite3_column_name(st, c));
                }
            });
    }
    d->open = true;
    d->row = 0;
}

bool Recordset::isOpen() const
{
    return d->open;
}

qint64 Recordset::RecordCount() const
{
    return d->open ? d->rows : 0;
}

bool Recordset::Eof() const
{
    return !d->open || d->row >= d->rows;
}

void Recordset::requireRow() const
{
    if (!d->open) {
        throw StoreError(StoreError::Kind::NoCurrentRow, texts::notOpen);
    }
    if (d->row >= d->rows) {
        throw StoreError(StoreError::Kind::NoCurrentRow, texts::noCurrentRow);
    }
}

int Recordset::requireColumn(const QString& name) const
{
    const int column = d->indexOf(name);
    if (column < 0) {
        throw StoreError(StoreError::Kind::Refused, texts::noSuchField(name));
    }
    return column;
}

void Recordset::MoveNext()
{
    requireRow();
    ++d->row;
}

Field Recordset::Fields(const QString& name) const
{
    requireRow();
    return d->cell(d->row, requireColumn(name));
}

void Recordset::Delete(int /*affectRecords: only the current row is ever deleted*/)
{
    requireRow();
    requireWritableLock();
    if (d->indexOf(u"id") < 0) {
        throw StoreError(StoreError::Kind::Refused, texts::noIdColumn);
    }
    if (std::find(d->marked.begin(), d->marked.end(), d->row) == d->marked.end()) {
        d->marked.push_back(d->row);
    }
}

void Recordset::UpdateBatch(int /*affectRecords: every pending change is written*/)
{
    if (!d->open) {
        throw StoreError(StoreError::Kind::NoCurrentRow, texts::notOpen);
    }
    d->affected = 0;
    if (d->marked.empty()) {
        return;
    }
    requireWritableLock();
    const int idColumn = d->indexOf(u"id");
    std::vector<qint64> ids;
    for (const qint64 row : d->marked) {
        const QVariant id = d->cell(row, idColumn).value();
        if (id.typeId() == QMetaType::LongLong) {
            ids.push_back(id.toLongLong());
        }
    }
    Connection connection(dataFile());
    d->affected = connection.deleteIds(ids);
    d->marked.clear();
}

void Recordset::Close()
{
    d->open = false;
    d->names.clear();
    std::vector<Field>().swap(d->cells);
    d->rows = 0;
    d->row = 0;
    d->marked.clear();
}

qint64 Recordset::RecordsAffected() const
{
    return d->affected;
}

} // namespace store
