#include "bench/jetfile.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <glib.h>

#include <mdbtools.h>

namespace benchjet {

namespace {

constexpr int pageSize = 4096;
constexpr int rowCountAt = 0x0c;

void put16(unsigned char* p, unsigned v)
{
    p[0] = v & 0xff;
    p[1] = (v >> 8) & 0xff;
}
void put32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = (v >> (8 * i)) & 0xff;
    }
}
std::uint32_t get32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

bool fail(const char* why)
{
    std::fprintf(stderr, "writeJetFile: %s\n", why);
    return false;
}

} // namespace

bool writeJetFile(const QString& path, int orders)
{
    const QString source = QStringLiteral(TALLY_JET_SOURCE);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return fail("cannot read the test file");
    }
    QByteArray file = in.readAll();
    MdbHandle* mdb = mdb_open(QFile::encodeName(source).constData(), MDB_NOFLAGS);
    if (!mdb || mdb->f->jet_version != MDB_VER_JET4 || mdb->f->db_key != 0 ||
        !mdb_read_catalog(mdb, MDB_TABLE)) {
        return fail("not a plain Jet 4 file");
    }
    MdbTableDef* table = mdb_read_table_by_name(mdb, const_cast<gchar*>("ddlist"), MDB_TABLE);
    if (!table || !mdb_read_columns(table) || table->num_cols != 9) {
        return fail("no order table");
    }
    const std::uint32_t tdefPage = table->entry->table_pg;
    std::vector<std::uint32_t> tablePages;
    mdb_rewind_table(table);
    while (mdb_read_next_dpg(table)) {
        tablePages.push_back(table->cur_phys_pg);
    }

    // The generated orders, packed into new data pages.
    std::mt19937 random(20261209);
    const char* goods[] = {"保温杯", "连衣裙", "手机壳", "帆布鞋", "蓝牙耳机", "T恤", "收纳盒", "台灯"};
    std::vector<unsigned char> page(pageSize);
    std::vector<unsigned char> row(pageSize);
    int rowsOnPage = 0;
    int freeEnd = pageSize;
    const auto startPage = [&] {
        std::fill(page.begin(), page.end(), 0);
        page[0] = 0x01;
        page[1] = 0x01;
        put32(&page[4], tdefPage);
        rowsOnPage = 0;
        freeEnd = pageSize;
    };
    const auto flushPage = [&] {
        put16(&page[2], freeEnd - (14 + 2 * rowsOnPage));
        put16(&page[rowCountAt], rowsOnPage);
        tablePages.push_back(static_cast<std::uint32_t>(file.size() / pageSize));
        file.append(reinterpret_cast<const char*>(page.data()), pageSize);
    };
    startPage();
    const std::uint32_t firstId = 12;
    for (int i = 0; i < orders; ++i) {
        const std::uint32_t id = firstId + static_cast<std::uint32_t>(i);
        const std::int64_t jj = (100 + static_cast<std::int64_t>(random() % 19900)) * 100; // 1.00 to 199.99
        const std::int64_t sj = jj + static_cast<std::int64_t>(random() % 5000) * 100;
        const std::int32_t sl = 1 + static_cast<std::int32_t>(random() % 5);
        const double day = 44562 + (i * 1461) / orders; // four years of days from 2022-01-01
        const std::string texts[4] = {
            std::string("优品") + goods[random() % 8] + "（白色）" + std::to_string(i % 97),
            "买家" + std::to_string(random() % 50000) + "号", "SF" + std::to_string(1000000000 + i),
            i % 3 == 0 ? "老客户，包邮，周末发货" : ""};
        unsigned char encoded[4][512];
        int sizes[4];
        for (int t = 0; t < 4; ++t) {
            sizes[t] = mdb_ascii2unicode(mdb, texts[t].c_str(), texts[t].size(),
                                         reinterpret_cast<char*>(encoded[t]), sizeof encoded[t]);
        }
        MdbField fields[9] = {};
        const auto fixed = [&](int c, const void* value, int size) {
            fields[c].value = const_cast<void*>(value);
            fields[c].siz = size;
            fields[c].is_fixed = 1;
        };
        const auto variable = [&](int c, int t, bool null) {
            fields[c].value = encoded[t];
            fields[c].siz = null ? 0 : sizes[t];
            fields[c].is_null = null;
        };
        fixed(0, &id, 4);
        variable(1, 0, false);
        fixed(2, &jj, 8);
        fixed(3, &sl, 4);
        fixed(4, &sj, 8);
        variable(5, 1, false);
        variable(6, 2, false);
        fixed(7, &day, 8);
        variable(8, 3, i % 3 != 0);
        for (int c = 0; c < 9; ++c) {
            fields[c].colnum = c;
        }
        const int size = mdb_pack_row(table, row.data(), 9, fields);
        if (freeEnd - size < 14 + 2 * (rowsOnPage + 1)) {
            flushPage();
            startPage();
        }
        freeEnd -= size;
        std::memcpy(&page[freeEnd], row.data(), size);
        put16(&page[rowCountAt + 2 + 2 * rowsOnPage], freeEnd);
        ++rowsOnPage;
    }
    if (rowsOnPage > 0) {
        flushPage();
    }

    // One map page with a bit for every data page of the table, and the usage map refers to it.
    std::fill(page.begin(), page.end(), 0);
    page[0] = 0x05;
    page[1] = 0x01;
    for (std::uint32_t p : tablePages) {
        if (p >= std::uint32_t(pageSize - 4) * 8) {
            return fail("more pages than one map page covers");
        }
        page[4 + p / 8] |= static_cast<unsigned char>(1u << (p % 8));
    }
    const auto mapPage = static_cast<std::uint32_t>(file.size() / pageSize);
    file.append(reinterpret_cast<const char*>(page.data()), pageSize);

    auto* bytes = reinterpret_cast<unsigned char*>(file.data());
    unsigned char* tdef = bytes + std::size_t(tdefPage) * pageSize;
    const std::uint32_t usage = get32(tdef + mdb->fmt->tab_usage_map_offset);
    unsigned char* usagePage = bytes + std::size_t(usage >> 8) * pageSize;
    const int usageRow = static_cast<int>(usage & 0xff);
    const int start =
        (usagePage[rowCountAt + 2 + 2 * usageRow] | usagePage[rowCountAt + 3 + 2 * usageRow] << 8) & 0x1fff;
    const int end =
        usageRow == 0
            ? pageSize
            : (usagePage[rowCountAt + 2 * usageRow] | usagePage[rowCountAt + 1 + 2 * usageRow] << 8) & 0x1fff;
    if (end - start < 5) {
        return fail("usage map row too small");
    }
    std::memset(usagePage + start, 0, end - start);
    usagePage[start] = 0x01;
    put32(usagePage + start + 1, mapPage);
    put32(tdef + mdb->fmt->tab_num_rows_offset, 9 + orders);
    put32(tdef + mdb->fmt->tab_num_rows_offset + 4, firstId - 1 + orders);
    mdb_close(mdb);

    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file) != file.size()) {
        return fail("cannot write");
    }
    return true;
}

} // namespace benchjet
