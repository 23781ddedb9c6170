#include "store/ResultTable.h"

#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <cstring>

namespace store {

namespace {
constexpr unsigned blockBits = 22; // 4 MiB blocks: no reallocation of cell data while a result grows
constexpr std::uint64_t blockSize = std::uint64_t(1) << blockBits;
constexpr std::uint64_t arenaLimit = std::uint64_t(1) << 32; // cell offsets are 32 bits
} // namespace

void ResultTable::setColumns(const QStringList& names)
{
    clear();
    m_names = names;
    m_columns = int(names.size());
    m_dateColumn = indexOf(u"xsdate");
}

int ResultTable::indexOf(QStringView name) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (name.compare(m_names.at(i), Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

char* ResultTable::place(Tag tag, std::size_t payload)
{
    const std::uint64_t need = 1 + payload;
    const std::uint64_t slot = m_used / blockSize;
    const std::uint64_t within = m_used % blockSize;
    if (slot >= m_blocks.size() || within + need > blockSize) {
        // Start a new block; a cell larger than a block gets one of its own size, filling several span.
        const std::uint64_t start = within == 0 ? m_used : (slot + 1) * blockSize;
        const std::uint64_t span = (need + blockSize - 1) / blockSize;
        if (start + span * blockSize > arenaLimit) {
            throw StoreError(StoreError::Kind::IoError, texts::resultTooLarge());
        }
        m_blocks.resize(start / blockSize);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(span * blockSize));
        m_blocks.resize(m_blocks.size() + span - 1);
        m_used = start;
    }
    char* at = m_blocks[m_used / blockSize].get() + m_used % blockSize;
    m_cells.push_back(std::uint32_t(m_used));
    m_used += need;
    if (need > blockSize) {
        m_used = m_blocks.size() * blockSize; // the span after a big cell's own have no memory
    }
    *at = char(tag);
    return at + 1;
}

void ResultTable::addNull()
{
    place(Tag::Null, 0);
}

void ResultTable::addInteger(qint64 value)
{
    std::memcpy(place(Tag::Integer, sizeof value), &value, sizeof value);
}

void ResultTable::addReal(double value)
{
    std::memcpy(place(Tag::Real, sizeof value), &value, sizeof value);
}

void ResultTable::addText(const char* utf8, std::size_t bytes)
{
    const std::uint32_t length = std::uint32_t(bytes);
    char* at = place(Tag::Text, sizeof length + bytes);
    std::memcpy(at, &length, sizeof length);
    if (bytes) {
        std::memcpy(at + sizeof length, utf8, bytes);
    }
}

const char* ResultTable::cell(qint64 row, int column) const
{
    const std::uint64_t offset = m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
    // A big cell's block fills several span; the cell always starts at the slot that owns the block.
    return m_blocks[offset / blockSize].get() + (offset & (blockSize - 1));
}

ResultTable::Tag ResultTable::tag(qint64 row, int column) const
{
    return Tag(*cell(row, column));
}

qint64 ResultTable::integer(qint64 row, int column) const
{
    qint64 value;
    std::memcpy(&value, cell(row, column) + 1, sizeof value);
    return value;
}

double ResultTable::real(qint64 row, int column) const
{
    double value;
    std::memcpy(&value, cell(row, column) + 1, sizeof value);
    return value;
}

std::string_view ResultTable::text(qint64 row, int column) const
{
    const char* at = cell(row, column) + 1;
    std::uint32_t length;
    std::memcpy(&length, at, sizeof length);
    return std::string_view(at + sizeof length, length);
}

void ResultTable::clear()
{
    m_names.clear();
    m_columns = 0;
    m_dateColumn = -1;
    std::vector<std::uint32_t>().swap(m_cells);
    std::vector<std::unique_ptr<char[]>>().swap(m_blocks);
    m_used = 0;
}

} // namespace store
