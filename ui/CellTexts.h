#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <vector>

namespace ui {

// The texts of a rows x cols table of cells, kept compactly: one 32-bit reference per cell into two
// arenas of chunks, one byte per character for texts that are all Latin-1 (ids, numbers, dates, waybill
// numbers) and two for the others. Each stored text starts with its length. No QString per cell.
class CellTexts final
{
public:
    CellTexts();
    ~CellTexts();
    CellTexts(const CellTexts&) = delete;
    CellTexts& operator=(const CellTexts&) = delete;

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Changes the shape, keeping the texts of the cells that stay.
    void resize(int rows, int cols);
    // Makes room for rows x cols() references up front.
    void reserve(int rows);
    // Empties every cell, keeping the shape, and frees the texts.
    void clear();

    QString text(int row, int col) const;
    bool isEmpty(int row, int col) const { return ref(row, col) == emptyRef; }
    void setText(int row, int col, QStringView text);

    // Bytes held for texts and references, for the benchmarks.
    std::size_t bytesUsed() const;

private:
    using Ref = std::uint32_t;
    static constexpr Ref emptyRef = 0;
    static constexpr Ref wideBit = 0x80000000u;

    template <typename Unit> class Arena;

    Ref ref(int row, int col) const { return m_refs[static_cast<std::size_t>(row) * m_cols + col]; }
    Ref& ref(int row, int col) { return m_refs[static_cast<std::size_t>(row) * m_cols + col]; }
    Ref store(QStringView text);
    void release(Ref r);
    void compactIfWasteful();

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Ref> m_refs;
    std::unique_ptr<Arena<std::uint8_t>> m_narrow;
    std::unique_ptr<Arena<char16_t>> m_wide;
};

} // namespace ui
