#include "export/TextWidth.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

TEST(TextWidth, WideCharactersCountTwice)
{
    EXPECT_EQ(xl::displayWidth(u""), 0);
    EXPECT_EQ(xl::displayWidth(u"SF1234567890"), 12);
    EXPECT_EQ(xl::displayWidth(u"café 'x'"), 8);
    EXPECT_EQ(xl::displayWidth(u"商品名称"), 8);
    EXPECT_EQ(xl::displayWidth(u"ＳＦ１２"), 8);          // full-width letters and digits
    EXPECT_EQ(xl::displayWidth(u"灰色（大），好！"), 16); // full-width punctuation
    EXPECT_EQ(xl::displayWidth(u"한글"), 4);
    EXPECT_EQ(xl::displayWidth(u"ｶﾀｶﾅ"), 4); // half-width katakana stays narrow
    // A character beyond the basic plane is one character, not two halves.
    EXPECT_EQ(xl::displayWidth(u"\U00020000a"), 3);
    // A lone half of a pair still takes room rather than vanishing.
    EXPECT_EQ(xl::displayWidth(QString(QChar(0xD840))), 1);
}

} // namespace
