// Jet 3 text in the code page of the file's header, as the reading helper decodes it through libmdb.
// No Jet 3 file can be written here, so a Jet 4 test file is opened and its handle set up as libmdb sets up
// a Jet 3 file of that code page.
#include "jetimport/Jet3Text.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

struct Jet3Handle
{
    MdbHandle* mdb = nullptr;
    explicit Jet3Handle(int codePage)
    {
        g_unsetenv("MDB_JET3_CHARSET");
        g_unsetenv("MDBICONV");
        mdb = mdb_open(TALLY_JET_FIXTURES "/ddlist_currency.mdb", MDB_NOFLAGS);
        if (mdb) {
            mdb_iconv_close(mdb);
            mdb->f->jet_version = MDB_VER_JET3;
            mdb->f->code_page = static_cast<guint16>(codePage);
            mdb_iconv_init(mdb);
        }
    }
    ~Jet3Handle() { mdb_close(mdb); }
    std::string text(const QByteArray& stored) const
    {
        return jetimport::jet3Text(mdb, reinterpret_cast<const unsigned char*>(stored.constData()),
                                   static_cast<std::size_t>(stored.size()));
    }
};

TEST(Jet3Text, CodePageOfTheFileDecodesInFull)
{
    const Jet3Handle chinese(936);
    ASSERT_NE(chinese.mdb, nullptr);
    const QByteArray gbk("\xD6\xD0\xCE\xC4\x20\x47\x42\x4B\x20\xCE\xC4\xB1\xBE"); // "中文 GBK 文本"
    EXPECT_EQ(chinese.text(gbk), "中文 GBK 文本");
    // Far longer than libmdb's bind size (16 KiB): nothing is cut.
    const std::string longText = chinese.text(QByteArray("\xD6\xD0\xCE\xC4").repeated(10000));
    EXPECT_EQ(longText.size(), 60000u);
    EXPECT_EQ(longText.substr(59994), "中文");
    EXPECT_EQ(chinese.text(QByteArray()), "");

    const Jet3Handle western(1252);
    EXPECT_EQ(western.text(QByteArray("\xC4 \x80 \xE9")), "Ä € é");
}

} // namespace
