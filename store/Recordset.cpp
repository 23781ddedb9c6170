#include "store/Recordset.h"

#include "store/Connection.h"
#include "store/DbConfig.h"
#include "store/ResultTable.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/StoredDate.h"
#include "store/TextForms.h"
#include "store/Translator.h"

#include <algorithm>
#include <string>
#include <vector>

namespace store {

namespace {
// The text last made for a column. Neighbouring rows of a list often hold the same value (a day's
// orders share their date, most quantities are 1): the shared text is handed out again, without
// converting or allocating.
struct LastText
{
    bool valid = false;
    ResultTable::Tag tag = ResultTable::Tag::Null;
    qint64 integer = 0;
    double real = 0;
    std::string bytes;
    QString text;
};
} // namespace

struct Recordset::Impl
{
    bool open = false;
    mutable std::vector<LastText> last; // one per column
    ResultTable table;
    qint64 row = 0;
    std::vector<qint64> marked; // rows (result indexes) waiting for UpdateBatch
    qint64 affected = 0;
};

Recordset::Recordset()
    : d(std::make_unique<Impl>())
{}

Recordset::~Recordset() = default;

QString Recordset::dataFile() const
{
    const QString path = db_config::dataSource(ActiveConnection);
    if (path.isEmpty()) {
        throw StoreError(StoreError::Kind::Refused, texts::noConnection());
    }
    return path;
}

void Recordset::Open()
{
    Close();
    d->affected = 0;
    // The statement is read before the file is touched: a refused statement changes nothing.
    const Translation statement = translate(Source);
    Connection connection(dataFile());
    if (statement.writes) {
        d->affected = connection.write(statement);
        return;
    }
    // The connection ends here: the whole result is in memory, and UpdateBatch opens a fresh one.
    connection.select(statement, d->table);
    d->open = true;
    d->row = 0;
}

bool Recordset::isOpen() const
{
    return d->open;
}

qint64 Recordset::RecordCount() const
{
    return d->open ? d->table.rowCount() : 0;
}

bool Recordset::Eof() const
{
    return !d->open || d->row >= d->table.rowCount();
}

void Recordset::requireRow() const
{
    if (!d->open) {
        throw StoreError(StoreError::Kind::NoCurrentRow, texts::notOpen());
    }
    if (d->row >= d->table.rowCount()) {
        throw StoreError(StoreError::Kind::NoCurrentRow, texts::noCurrentRow());
    }
}

int Recordset::requireColumn(const QString& name) const
{
    const int column = d->table.indexOf(name);
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
    const int c = requireColumn(name);
    const ResultTable& t = d->table;
    switch (t.tag(d->row, c)) {
    case ResultTable::Tag::Null:
        return Field(Field::Kind::Null, 0, 0, QString());
    case ResultTable::Tag::Integer:
        return Field(Field::Kind::Integer, t.integer(d->row, c), 0, QString());
    case ResultTable::Tag::Real:
        return Field(Field::Kind::Real, 0, t.real(d->row, c), QString());
    case ResultTable::Tag::Text:
        break;
    }
    const std::string_view text = t.text(d->row, c);
    return Field(t.isDateColumn(c) ? Field::Kind::Date : Field::Kind::Text, 0, 0,
                 QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int Recordset::fieldIndex(const QString& name) const
{
    return d->table.indexOf(name);
}

QString Recordset::textAt(int column) const
{
    requireRow();
    const ResultTable& t = d->table;
    if (column < 0 || column >= t.columnCount()) {
        throw StoreError(StoreError::Kind::Refused, texts::noSuchField(QString::number(column)));
    }
    if (d->last.size() != std::size_t(t.columnCount())) {
        d->last.assign(std::size_t(t.columnCount()), LastText());
    }
    LastText& last = d->last[std::size_t(column)];
    const ResultTable::Tag tag = t.tag(d->row, column);
    switch (tag) {
    case ResultTable::Tag::Null:
        return QString();
    case ResultTable::Tag::Integer: {
        const qint64 value = t.integer(d->row, column);
        if (!last.valid || last.tag != tag || last.integer != value) {
            last = {true, tag, value, 0, {}, QString::number(value)};
        }
        return last.text;
    }
    case ResultTable::Tag::Real: {
        const double value = t.real(d->row, column);
        if (!last.valid || last.tag != tag || last.real != value) {
            last = {true, tag, 0, value, {}, textforms::numberText(value)};
        }
        return last.text;
    }
    case ResultTable::Tag::Text:
        break;
    }
    const std::string_view text = t.text(d->row, column);
    if (last.valid && last.tag == tag && last.bytes == text) {
        return last.text;
    }
    QString shown;
    if (t.isDateColumn(column)) {
        if (const auto date = storedDate(text)) {
            shown = textforms::dateText(*date);
        }
    }
    if (shown.isNull()) {
        shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    // Only short texts are kept: a long one rarely repeats and would only be copied.
    if (text.size() <= 64) {
        last.valid = true;
        last.tag = tag;
        last.bytes.assign(text);
        last.text = shown;
    }
    return shown;
}

bool Recordset::isNullAt(int column) const
{
    requireRow();
    if (column < 0 || column >= d->table.columnCount()) {
        throw StoreError(StoreError::Kind::Refused, texts::noSuchField(QString::number(column)));
    }
    return d->table.tag(d->row, column) == ResultTable::Tag::Null;
}

void Recordset::Delete(int /*affectRecords: only the current row is ever deleted*/)
{
    requireRow();
    if (d->table.indexOf(u"id") < 0) {
        throw StoreError(StoreError::Kind::Refused, texts::noIdColumn());
    }
    if (std::find(d->marked.begin(), d->marked.end(), d->row) == d->marked.end()) {
        d->marked.push_back(d->row);
    }
}

void Recordset::UpdateBatch(int /*affectRecords: every pending change is written*/)
{
    if (!d->open) {
        throw StoreError(StoreError::Kind::NoCurrentRow, texts::notOpen());
    }
    d->affected = 0;
    if (d->marked.empty()) {
        return;
    }
    const int idColumn = d->table.indexOf(u"id");
    std::vector<qint64> ids;
    for (const qint64 row : d->marked) {
        if (d->table.tag(row, idColumn) == ResultTable::Tag::Integer) {
            ids.push_back(d->table.integer(row, idColumn));
        }
    }
    Connection connection(dataFile());
    d->affected = connection.deleteIds(ids);
    d->marked.clear();
}

void Recordset::Close()
{
    d->open = false;
    d->last.clear();
    d->table.clear();
    d->row = 0;
    d->marked.clear();
}

qint64 Recordset::RecordsAffected() const
{
    return d->affected;
}

} // namespace store
