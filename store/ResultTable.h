#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace store {

// The whole result of a select, kept compact: every cell is one 32-bit offset into a byte arena that holds
// a type byte and the value (raw number or UTF-8 text). A million orders take a fraction of what one
// QVariant per cell would; texts are made only when a cell is read.
class ResultTable final
{
public:
    enum class Tag : std::uint8_t { Null, Integer, Real, Text };

    ResultTable() = default;
    ResultTable(const ResultTable&) = delete;
    ResultTable& operator=(const ResultTable&) = delete;

    void setColumns(const QStringList& names);
    int columnCount() const { return int(m_names.size()); }
    const QStringList& columnNames() const { return m_names; }
    // The column of that name, letter case ignored; -1 when there is none.
    int indexOf(QStringView name) const;
    // xsdate holds yyyy-mm-dd text that is shown as a date.
    bool isDateColumn(int column) const { return column == m_dateColumn; }
    qint64 rowCount() const { return m_columns ? qint64(m_cells.size()) / m_columns : 0; }

    // Appending, cell by cell and row by row. Throw StoreError when the result outgrows the arena.
    void addNull();
    void addInteger(qint64 value);
    void addReal(double value);
    void addText(const char* utf8, std::size_t bytes);

    Tag tag(qint64 row, int column) const;
    qint64 integer(qint64 row, int column) const;
    double real(qint64 row, int column) const;
    std::string_view text(qint64 row, int column) const;

    void clear();

private:
    char* place(Tag tag, std::size_t payload);
    const char* cell(qint64 row, int column) const;

    QStringList m_names;
    int m_columns = 0;
    int m_dateColumn = -1;
    std::vector<std::uint32_t> m_cells;
    std::vector<std::unique_ptr<char[]>> m_blocks; // a block bigger than the standard one fills several slots
    std::uint64_t m_used = 0;                      // arena offset of the next cell
};

} // namespace store
