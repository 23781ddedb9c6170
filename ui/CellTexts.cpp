#include "ui/CellTexts.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

// Texts are appended to fixed-size chunks, so growing never copies what is stored. A reference is the
// text's position in units: chunk slot * chunkUnits + offset. A text longer than a chunk gets a chunk of
// its own at offset 0 and takes up as many slotCount as it needs (the further slotCount stay empty).
template <typename Unit> class CellTexts::Arena
{
public:
    static constexpr std::size_t chunkShift = 16;
    static constexpr std::size_t chunkUnits = std::size_t(1) << chunkShift;
    static constexpr std::size_t maxPosition = 0x7FFFFFFFu;

    Arena() { clear(); }

    void clear()
    {
        m_chunks.clear();
        m_used = chunkUnits; // the next append opens a chunk
        m_capacity = 0;
        m_live = 0;
        // Position 0 is never a text, so that the empty reference can be 0.
        append(u"", 0);
    }

    std::uint32_t append(const char16_t* text, std::size_t length)
    {
        const std::size_t header = headerUnits(length);
        const std::size_t need = header + length;
        if (m_used + need > chunkUnits) {
            openChunk(need);
        }
        const std::size_t position = m_slot * chunkUnits + m_used;
        if (position > maxPosition) {
            throw std::length_error("grid text store full");
        }
        Unit* p = m_chunks[m_slot].get() + m_used;
        writeLength(p, length);
        for (std::size_t i = 0; i < length; ++i) {
            p[header + i] = static_cast<Unit>(text[i]);
        }
        m_used = need > chunkUnits ? chunkUnits : m_used + need;
        m_live += need;
        return static_cast<std::uint32_t>(position);
    }

    std::size_t length(std::uint32_t position) const
    {
        const Unit* p = at(position);
        if (p[0] != shortLimit) {
            return p[0];
        }
        std::size_t n = 0;
        for (std::size_t i = 0; i < lengthUnits; ++i) {
            n |= std::size_t(p[1 + i]) << (8 * sizeof(Unit) * i);
        }
        return n;
    }
    const Unit* chars(std::uint32_t position) const { return at(position) + headerUnits(length(position)); }
    std::size_t units(std::uint32_t position) const
    {
        const std::size_t n = length(position);
        return headerUnits(n) + n;
    }
    void release(std::uint32_t position) { m_live -= units(position); }

    std::size_t liveUnits() const { return m_live; }
    std::size_t capacityUnits() const { return m_capacity; }
    std::size_t bytes() const { return m_capacity * sizeof(Unit) + m_chunks.capacity() * sizeof(void*); }

private:
    // Lengths below shortLimit take one unit; longer ones are shortLimit and then lengthUnits units.
    static constexpr std::size_t shortLimit = (std::size_t(1) << (8 * sizeof(Unit))) - 1;
    static constexpr std::size_t lengthUnits = 4 / sizeof(Unit);

    static std::size_t headerUnits(std::size_t length) { return length < shortLimit ? 1 : 1 + lengthUnits; }

    static void writeLength(Unit* p, std::size_t length)
    {
        if (length < shortLimit) {
            p[0] = static_cast<Unit>(length);
            return;
        }
        p[0] = static_cast<Unit>(shortLimit);
        for (std::size_t i = 0; i < lengthUnits; ++i) {
            p[1 + i] = static_cast<Unit>(length >> (8 * sizeof(Unit) * i));
        }
    }

    const Unit* at(std::uint32_t position) const
    {
        return m_chunks[position >> chunkShift].get() + (position & (chunkUnits - 1));
    }

    void openChunk(std::size_t need)
    {
        const std::size_t slotCount = std::max<std::size_t>(1, (need + chunkUnits - 1) / chunkUnits);
        m_slot = m_chunks.size();
        m_chunks.push_back(std::make_unique<Unit[]>(slotCount * chunkUnits));
        m_chunks.resize(m_chunks.size() + slotCount - 1);
        m_used = 0;
        m_capacity += slotCount * chunkUnits;
    }

    std::vector<std::unique_ptr<Unit[]>> m_chunks;
    std::size_t m_slot = 0; // the chunk being filled
    std::size_t m_used = 0; // units used in it
    std::size_t m_capacity = 0;
    std::size_t m_live = 0;
};

namespace {

bool fitsLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

} // namespace

CellTexts::CellTexts()
    : m_narrow(std::make_unique<Arena<std::uint8_t>>())
    , m_wide(std::make_unique<Arena<char16_t>>())
{}

CellTexts::~CellTexts() = default;

void CellTexts::resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (cols == m_cols) {
        for (std::size_t i = static_cast<std::size_t>(rows) * cols; i < m_refs.size(); ++i) {
            release(m_refs[i]);
        }
        m_refs.resize(static_cast<std::size_t>(rows) * cols, emptyRef);
    } else {
        std::vector<Ref> refs(static_cast<std::size_t>(rows) * cols, emptyRef);
        for (int r = 0; r < m_rows; ++r) {
            for (int c = 0; c < m_cols; ++c) {
                if (r < rows && c < cols) {
                    refs[static_cast<std::size_t>(r) * cols + c] = ref(r, c);
                } else {
                    release(ref(r, c));
                }
            }
        }
        m_refs.swap(refs);
    }
    m_rows = rows;
    m_cols = cols;
    compactIfWasteful();
}

void CellTexts::reserve(int rows)
{
    m_refs.reserve(static_cast<std::size_t>(std::max(rows, 0)) * m_cols);
}

void CellTexts::clear()
{
    std::fill(m_refs.begin(), m_refs.end(), emptyRef);
    m_narrow->clear();
    m_wide->clear();
}

QString CellTexts::text(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
        return QString();
    }
    const Ref r = ref(row, col);
    if (r == emptyRef) {
        return QString();
    }
    if (r & wideBit) {
        const std::uint32_t p = r & ~wideBit;
        return QString(reinterpret_cast<const QChar*>(m_wide->chars(p)),
                       static_cast<qsizetype>(m_wide->length(p)));
    }
    return QString::fromLatin1(reinterpret_cast<const char*>(m_narrow->chars(r)),
                               static_cast<qsizetype>(m_narrow->length(r)));
}

void CellTexts::setText(int row, int col, QStringView text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
        return;
    }
    Ref& r = ref(row, col);
    const bool replaced = r != emptyRef;
    release(r);
    r = store(text);
    if (replaced) { // only an overwrite leaves waste behind
        compactIfWasteful();
    }
}

CellTexts::Ref CellTexts::store(QStringView text)
{
    if (text.isEmpty()) {
        return emptyRef;
    }
    const auto* units = reinterpret_cast<const char16_t*>(text.utf16());
    const auto length = static_cast<std::size_t>(text.size());
    if (fitsLatin1(text)) {
        return m_narrow->append(units, length);
    }
    return m_wide->append(units, length) | wideBit;
}

void CellTexts::release(Ref r)
{
    if (r == emptyRef) {
        return;
    }
    if (r & wideBit) {
        m_wide->release(r & ~wideBit);
    } else {
        m_narrow->release(r);
    }
}

// Overwritten texts leave their old units behind; once more than half of a sizeable store is such waste,
// the live texts are copied into fresh arenas.
void CellTexts::compactIfWasteful()
{
    constexpr std::size_t slack = std::size_t(1) << 22;
    const std::size_t capacity = m_narrow->capacityUnits() + 2 * m_wide->capacityUnits();
    const std::size_t live = m_narrow->liveUnits() + 2 * m_wide->liveUnits();
    if (capacity < slack || live * 2 > capacity) {
        return;
    }
    auto narrow = std::make_unique<Arena<std::uint8_t>>();
    auto wide = std::make_unique<Arena<char16_t>>();
    std::u16string buffer;
    for (Ref& r : m_refs) {
        if (r == emptyRef) {
            continue;
        }
        if (r & wideBit) {
            const std::uint32_t p = r & ~wideBit;
            r = wide->append(m_wide->chars(p), m_wide->length(p)) | wideBit;
        } else {
            const std::size_t n = m_narrow->length(r);
            const std::uint8_t* chars = m_narrow->chars(r);
            buffer.assign(chars, chars + n);
            r = narrow->append(buffer.data(), n);
        }
    }
    m_narrow = std::move(narrow);
    m_wide = std::move(wide);
}

std::size_t CellTexts::bytesUsed() const
{
    return m_refs.capacity() * sizeof(Ref) + m_narrow->bytes() + m_wide->bytes();
}

} // namespace ui
