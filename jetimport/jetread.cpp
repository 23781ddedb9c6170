// tallywick-jetread: reads the orders of a Jet 3 / Jet 4 file (an Access data.mdb) and writes them to its
// standard output in the frames of JetFrames.h. The program runs it as a child process, so a damaged file
// that makes the reading library crash ends this process and never the program.
//
//   tallywick-jetread --count FILE   head and end only: checks the file and counts the orders
//   tallywick-jetread --rows FILE    every order
//
// The file is opened read-only. Numbers and dates are taken from the row's raw bytes (the library's own
// text forms depend on the locale and round), NULL is told from empty text by the row's null mask, and
// texts and memos are decoded here in full (the library's bound texts are cut at their bind size and turn
// characters outside the Basic Multilingual Plane into "??").
#include "jetimport/Jet3Text.h"
#include "jetimport/JetFrames.h"
#include "jetimport/JetValues.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace frames = jetimport::frames;

constexpr int offsetMask = 0x1fff;
// A row offset's two high bits: 0x8000 marks a deleted row, 0x4000 a row whose data moved to another page
// (the offset then holds only a pointer; the data is read where it lies). Deleted rows written by Jet
// carry both; the library skips only 0x4000 and would bring back a row marked 0x8000 alone.
constexpr int deletedRow = 0x8000;
constexpr int movedRow = 0x4000;
constexpr std::uint32_t memoInline = 0x80000000u;
constexpr std::uint32_t memoOnePage = 0x40000000u;
constexpr std::uint32_t memoLengthMask = 0x3fffffffu;
constexpr std::uint32_t memoMaxLength = 64u << 20;

std::uint32_t le32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void putLength(std::string& out, std::size_t n)
{
    const auto v = static_cast<std::uint32_t>(n);
    const char bytes[4] = {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
    out.append(bytes, 4);
}

void writeFrame(char kind, const std::string& payload)
{
    std::string frame(1, kind);
    putLength(frame, payload.size());
    frame += payload;
    if (std::fwrite(frame.data(), 1, frame.size(), stdout) != frame.size()) {
        std::exit(3); // the program went away
    }
}

[[noreturn]] void fail(const char* reason, const std::string& details = {})
{
    writeFrame(frames::failure, std::string(reason) + '\n' + details);
    std::fflush(stdout);
    std::exit(1);
}

void appendValue(std::string& row, char tag, std::string_view bytes)
{
    row += tag;
    putLength(row, bytes.size());
    row.append(bytes);
}

class Reader final
{
public:
    explicit Reader(MdbHandle* mdb)
        : m_mdb(mdb)
        , m_jet3(mdb->f->jet_version == MDB_VER_JET3)
    {}

    // Text stored in a Text column or a memo's data: UTF-16 (Jet 4) or the file's code page (Jet 3).
    std::string text(const unsigned char* bytes, std::size_t size) const
    {
        if (!m_jet3) {
            return jetimport::jet4Text(std::string_view(reinterpret_cast<const char*>(bytes), size));
        }
        return jetimport::jet3Text(m_mdb, bytes, size);
    }

    std::string memo(int start, int size) const
    {
        const unsigned char* page = m_mdb->pg_buf;
        if (size == 0) {
            return {};
        }
        if (size < MDB_MEMO_OVERHEAD) {
            fail(frames::damaged, "memo");
        }
        const std::uint32_t head = le32(page + start);
        const std::uint32_t length = head & memoLengthMask;
        if (head & memoInline) {
            return text(page + start + MDB_MEMO_OVERHEAD, static_cast<std::size_t>(size - MDB_MEMO_OVERHEAD));
        }
        if ((head & 0xff000000u) != 0 && !(head & memoOnePage)) {
            fail(frames::damaged, "memo flags");
        }
        if (length > memoMaxLength) {
            fail(frames::damaged, "memo length");
        }
        int pgRow = static_cast<int>(le32(page + start + 4));
        std::string stored;
        stored.reserve(length);
        if (head & memoOnePage) {
            const unsigned char* buf = nullptr;
            std::size_t len = 0;
            lvalRow(pgRow, buf, len);
            stored.assign(reinterpret_cast<const char*>(buf), std::min<std::size_t>(len, length));
        } else {
            // A chain of rows on long-value pages: each begins with the page/row of the next one.
            while (stored.size() < length) {
                const unsigned char* buf = nullptr;
                std::size_t len = 0;
                lvalRow(pgRow, buf, len);
                if (len <= 4) {
                    fail(frames::damaged, "memo chain");
                }
                const std::size_t take = std::min<std::size_t>(len - 4, length - stored.size());
                stored.append(reinterpret_cast<const char*>(buf + 4), take);
                pgRow = static_cast<int>(le32(buf));
                if (pgRow == 0) {
                    break;
                }
            }
        }
        if (stored.size() != length) {
            fail(frames::damaged, "memo length");
        }
        return text(reinterpret_cast<const unsigned char*>(stored.data()), stored.size());
    }

    // One column of the current row as a tagged value.
    void value(std::string& row, const MdbColumn& col, const MdbField& field) const
    {
        if (field.is_null) {
            appendValue(row, frames::null, {});
            return;
        }
        const unsigned char* p = m_mdb->pg_buf + field.start;
        const auto need = [&](int bytes) {
            if (field.siz < bytes) {
                fail(frames::damaged, std::string("column ") + col.name);
            }
        };
        switch (col.col_type) {
        case MDB_BYTE:
            need(1);
            appendValue(row, frames::number, std::to_string(p[0]));
            return;
        case MDB_INT:
            need(2);
            appendValue(row, frames::number, std::to_string(static_cast<std::int16_t>(le16(p))));
            return;
        case MDB_LONGINT:
            need(4);
            appendValue(row, frames::number, std::to_string(static_cast<std::int32_t>(le32(p))));
            return;
        case MDB_MONEY: {
            need(8);
            const std::uint64_t raw = std::uint64_t(le32(p)) | std::uint64_t(le32(p + 4)) << 32;
            appendValue(row, frames::number, jetimport::currencyText(static_cast<std::int64_t>(raw)));
            return;
        }
        case MDB_FLOAT: {
            need(4);
            const std::uint32_t raw = le32(p);
            float f;
            std::memcpy(&f, &raw, sizeof f);
            number(row, col, jetimport::singleText(f));
            return;
        }
        case MDB_DOUBLE:
            need(8);
            number(row, col, jetimport::doubleText(rawDouble(p)));
            return;
        case MDB_NUMERIC:
            need(17);
            // The library's col_prec holds the byte the Jet column definition keeps the scale in.
            appendValue(row, frames::number, jetimport::decimalText(p, col.col_prec));
            return;
        case MDB_DATETIME: {
            need(8);
            const auto date = jetimport::jetDate(rawDouble(p));
            if (!date) {
                fail(frames::damaged, std::string("date ") + col.name);
            }
            appendValue(row, frames::date, jetimport::dateText(*date));
            return;
        }
        case MDB_TEXT:
            appendValue(row, frames::text, text(p, static_cast<std::size_t>(std::max(field.siz, 0))));
            return;
        case MDB_MEMO:
            appendValue(row, frames::text, memo(field.start, field.siz));
            return;
        default:
            appendValue(row, frames::unsupported, std::to_string(col.col_type));
            return;
        }
    }

private:
    static double rawDouble(const unsigned char* p)
    {
        const std::uint64_t raw = std::uint64_t(le32(p)) | std::uint64_t(le32(p + 4)) << 32;
        double d;
        std::memcpy(&d, &raw, sizeof d);
        return d;
    }

    static void number(std::string& row, const MdbColumn& col, const std::string& digits)
    {
        if (digits.empty()) {
            fail(frames::damaged, std::string("number ") + col.name);
        }
        appendValue(row, frames::number, digits);
    }

    void lvalRow(int pgRow, const unsigned char*& buf, std::size_t& len) const
    {
        void* found = nullptr;
        int offset = 0;
        if (pgRow == 0 || mdb_find_pg_row(m_mdb, pgRow, &found, &offset, &len) != 0 || !found ||
            static_cast<std::size_t>(offset) + len > static_cast<std::size_t>(m_mdb->fmt->pg_size)) {
            fail(frames::damaged, "memo page");
        }
        buf = static_cast<const unsigned char*>(found) + offset;
    }

    MdbHandle* m_mdb;
    bool m_jet3;
};

MdbCatalogEntry* orderTable(MdbHandle* mdb)
{
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        fail(frames::damaged, "catalog");
    }
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && g_ascii_strcasecmp(entry->object_name, "ddlist") == 0) {
            return entry;
        }
    }
    fail(frames::noTable);
}

} // namespace

int main(int argc, char** argv)
{
    // The library's text conversion follows these variables; the program wants UTF-8 and the file's own
    // code page whatever the environment says.
    g_unsetenv("MDBICONV");
    g_unsetenv("MDB_JET3_CHARSET");
    g_unsetenv("MDBOPTS");
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    std::fwrite(frames::magic, 1, frames::magicSize, stdout);

    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "--count" && mode != "--rows") {
        fail(frames::usage, "tallywick-jetread --count|--rows FILE");
    }
    const bool rows = mode == "--rows";
    const char* path = argv[2];
    if (!g_path_is_absolute(path)) {
        fail(frames::usage, "FILE must be an absolute path"); // the library would search MDBPATH
    }

    MdbHandle* mdb = mdb_open(path, MDB_NOFLAGS);
    if (!mdb) {
        fail(frames::cannotOpen);
    }
    MdbCatalogEntry* entry = orderTable(mdb);
    MdbTableDef* table = mdb_read_table(entry);
    if (!table || !mdb_read_columns(table)) {
        fail(frames::damaged, "table definition");
    }
    // The autonumber counter lies after the row count in the table definition.
    if (mdb_read_pg(mdb, entry->table_pg) != mdb->fmt->pg_size) {
        fail(frames::damaged, "table definition");
    }
    const std::uint32_t counter = le32(mdb->pg_buf + mdb->fmt->tab_num_rows_offset + 4);
    const std::uint32_t tableRows = le32(mdb->pg_buf + mdb->fmt->tab_num_rows_offset);

    // Columns by name, whatever their letter case.
    int columnAt[frames::columnCount];
    std::string missing;
    for (int c = 0; c < frames::columnCount; ++c) {
        columnAt[c] = -1;
        for (unsigned i = 0; i < table->num_cols; ++i) {
            const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            if (g_ascii_strcasecmp(col->name, store::orderColumns[std::size_t(c)].name) == 0) {
                columnAt[c] = static_cast<int>(i);
                break;
            }
        }
        if (columnAt[c] < 0) {
            if (!missing.empty()) {
                missing += ',';
            }
            missing += store::orderColumns[std::size_t(c)].name;
        }
    }
    if (!missing.empty()) {
        fail(frames::noColumns, missing);
    }

    writeFrame(frames::head, "version=" + std::to_string(mdb->f->jet_version == MDB_VER_JET3 ? 3 : 4) +
                                 "\ncodepage=" + std::to_string(mdb->f->code_page) +
                                 "\ncounter=" + std::to_string(counter) + "\n");

    // The table's data pages one by one, every row that is not deleted. The library's own row loop skips a
    // row it cannot decode without a word; here such a row stops the reading.
    const Reader reader(mdb);
    std::vector<MdbField> fields(table->num_cols);
    std::string row;
    std::uint64_t written = 0;
    mdb_rewind_table(table);
    while (mdb_read_next_dpg(table)) {
        const unsigned count = le16(mdb->pg_buf + mdb->fmt->row_count_offset);
        for (unsigned r = 0; r < count; ++r) {
            int start = 0;
            std::size_t size = 0;
            if (mdb_find_row(mdb, static_cast<int>(r), &start, &size) != 0) {
                fail(frames::damaged, "row offsets");
            }
            if (start & (deletedRow | movedRow)) {
                continue;
            }
            if (size == 0 || mdb_crack_row(table, start & offsetMask, size, fields.data()) < 0) {
                fail(frames::damaged, "row");
            }
            ++written;
            if (!rows) {
                continue;
            }
            row.clear();
            for (int c = 0; c < frames::columnCount; ++c) {
                const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, columnAt[c]));
                reader.value(row, *col, fields[columnAt[c]]);
            }
            writeFrame(frames::order, row);
        }
    }
    writeFrame(frames::end,
               "rows=" + std::to_string(written) + "\ntablerows=" + std::to_string(tableRows) + "\n");
    if (std::fflush(stdout) != 0) {
        return 3;
    }
    // The process ends here; the library's own clean-up of a large table is not needed.
    return 0;
}
