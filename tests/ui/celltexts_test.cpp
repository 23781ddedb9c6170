#include "ui/CellTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(CellTexts, KeepsLatinCjkAndEmptyTextsApart)
{
    ui::CellTexts cells;
    cells.resize(3, 3);
    cells.setText(0, 0, u"12.5");
    cells.setText(0, 1, u"手机壳 蓝色");
    cells.setText(0, 2, u"café"); // Latin-1 beyond ASCII
    cells.setText(1, 0, u"€ 5");  // outside Latin-1
    cells.setText(1, 1, u" ");
    EXPECT_EQ(cells.text(0, 0), QStringLiteral("12.5"));
    EXPECT_EQ(cells.text(0, 1), QStringLiteral("手机壳 蓝色"));
    EXPECT_EQ(cells.text(0, 2), QStringLiteral("café"));
    EXPECT_EQ(cells.text(1, 0), QStringLiteral("€ 5"));
    EXPECT_EQ(cells.text(1, 1), QStringLiteral(" "));
    EXPECT_TRUE(cells.text(2, 2).isEmpty());
    EXPECT_TRUE(cells.isEmpty(2, 2));
    // Outside the shape: nothing is read or written.
    cells.setText(3, 0, u"x");
    EXPECT_TRUE(cells.text(3, 0).isEmpty());
    EXPECT_TRUE(cells.text(-1, 0).isEmpty());
}

TEST(CellTexts, LongTextsAndChunkBoundaries)
{
    ui::CellTexts cells;
    cells.resize(4, 1);
    const QString narrow(70000, QLatin1Char('a')); // longer than a chunk and a one-unit length
    const QString wide(300, QChar(0x4E2D));        // CJK, longer than a one-byte length
    const QString huge(200000, QChar(0x6587));
    cells.setText(0, 0, narrow);
    cells.setText(1, 0, wide);
    cells.setText(2, 0, huge);
    cells.setText(3, 0, u"after");
    EXPECT_EQ(cells.text(0, 0), narrow);
    EXPECT_EQ(cells.text(1, 0), wide);
    EXPECT_EQ(cells.text(2, 0), huge);
    EXPECT_EQ(cells.text(3, 0), QStringLiteral("after"));

    // Many short texts across chunk boundaries.
    ui::CellTexts many;
    many.resize(50000, 2);
    for (int r = 0; r < 50000; ++r) {
        many.setText(r, 0, QString::number(r));
        many.setText(r, 1, QStringLiteral("商品%1").arg(r));
    }
    for (int r = 0; r < 50000; r += 997) {
        EXPECT_EQ(many.text(r, 0), QString::number(r));
        EXPECT_EQ(many.text(r, 1), QStringLiteral("商品%1").arg(r));
    }
}

TEST(CellTexts, ResizeKeepsTheCellsThatStayAndOverwritesStayCorrect)
{
    ui::CellTexts cells;
    cells.resize(2, 2);
    cells.setText(0, 0, u"a");
    cells.setText(0, 1, u"b");
    cells.setText(1, 0, u"c");
    cells.setText(1, 1, u"d");
    cells.resize(3, 3);
    EXPECT_EQ(cells.text(0, 1), QStringLiteral("b"));
    EXPECT_EQ(cells.text(1, 0), QStringLiteral("c"));
    EXPECT_TRUE(cells.text(2, 2).isEmpty());
    cells.resize(1, 1);
    EXPECT_EQ(cells.text(0, 0), QStringLiteral("a"));
    EXPECT_TRUE(cells.text(0, 1).isEmpty());

    // Writing the same cell over and over compacts the waste and keeps every other text.
    ui::CellTexts churn;
    churn.resize(10, 1);
    for (int r = 1; r < 10; ++r) {
        churn.setText(r, 0, QStringLiteral("固定%1").arg(r));
    }
    for (int i = 0; i < 200000; ++i) {
        churn.setText(0, 0, QStringLiteral("第%1次写入的一段较长文字").arg(i));
    }
    EXPECT_EQ(churn.text(0, 0), QStringLiteral("第199999次写入的一段较长文字"));
    for (int r = 1; r < 10; ++r) {
        EXPECT_EQ(churn.text(r, 0), QStringLiteral("固定%1").arg(r));
    }
    EXPECT_LT(churn.bytesUsed(), std::size_t(40) << 20);

    churn.clear();
    EXPECT_EQ(churn.rows(), 10);
    EXPECT_TRUE(churn.text(3, 0).isEmpty());
}

} // namespace
