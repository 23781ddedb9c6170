#include "ui/FlexGrid.h"

#include <gtest/gtest.h>

namespace {

// Cells written one by one keep their texts exactly, whatever the characters and lengths.
ui::FlexGrid* gridOf(int rows, int cols)
{
    auto* grid = new ui::FlexGrid;
    grid->setRows(rows);
    grid->setCols(cols);
    return grid;
}

TEST(GridTexts, KeepsLatinCjkAndEmptyTextsApart)
{
    std::unique_ptr<ui::FlexGrid> cells(gridOf(3, 3));
    cells->setTextMatrix(0, 0, QStringLiteral("12.5"));
    cells->setTextMatrix(0, 1, QStringLiteral("手机壳 蓝色"));
    cells->setTextMatrix(0, 2, QStringLiteral("café")); // Latin-1 beyond ASCII
    cells->setTextMatrix(1, 0, QStringLiteral("€ 5"));  // outside Latin-1
    cells->setTextMatrix(1, 1, QStringLiteral(" "));
    EXPECT_EQ(cells->TextMatrix(0, 0), QStringLiteral("12.5"));
    EXPECT_EQ(cells->TextMatrix(0, 1), QStringLiteral("手机壳 蓝色"));
    EXPECT_EQ(cells->TextMatrix(0, 2), QStringLiteral("café"));
    EXPECT_EQ(cells->TextMatrix(1, 0), QStringLiteral("€ 5"));
    EXPECT_EQ(cells->TextMatrix(1, 1), QStringLiteral(" "));
    EXPECT_TRUE(cells->TextMatrix(2, 2).isEmpty());
    // Outside the shape: nothing is read or written.
    cells->setTextMatrix(3, 0, QStringLiteral("x"));
    EXPECT_TRUE(cells->TextMatrix(3, 0).isEmpty());
    EXPECT_TRUE(cells->TextMatrix(-1, 0).isEmpty());
}

TEST(GridTexts, LongTextsAndManyCells)
{
    std::unique_ptr<ui::FlexGrid> cells(gridOf(4, 1));
    const QString narrow(70000, QLatin1Char('a'));
    const QString wide(300, QChar(0x4E2D));
    const QString huge(200000, QChar(0x6587));
    cells->setTextMatrix(0, 0, narrow);
    cells->setTextMatrix(1, 0, wide);
    cells->setTextMatrix(2, 0, huge);
    cells->setTextMatrix(3, 0, QStringLiteral("after"));
    EXPECT_EQ(cells->TextMatrix(0, 0), narrow);
    EXPECT_EQ(cells->TextMatrix(1, 0), wide);
    EXPECT_EQ(cells->TextMatrix(2, 0), huge);
    EXPECT_EQ(cells->TextMatrix(3, 0), QStringLiteral("after"));

    std::unique_ptr<ui::FlexGrid> many(gridOf(50000, 2));
    for (int r = 0; r < 50000; ++r) {
        many->setTextMatrix(r, 0, QString::number(r));
        many->setTextMatrix(r, 1, QStringLiteral("商品%1").arg(r));
    }
    for (int r = 0; r < 50000; r += 997) {
        EXPECT_EQ(many->TextMatrix(r, 0), QString::number(r));
        EXPECT_EQ(many->TextMatrix(r, 1), QStringLiteral("商品%1").arg(r));
    }
}

TEST(GridTexts, ResizeKeepsTheCellsThatStayAndOverwritesStayCorrect)
{
    std::unique_ptr<ui::FlexGrid> cells(gridOf(2, 2));
    cells->setTextMatrix(0, 0, QStringLiteral("a"));
    cells->setTextMatrix(0, 1, QStringLiteral("b"));
    cells->setTextMatrix(1, 0, QStringLiteral("c"));
    cells->setTextMatrix(1, 1, QStringLiteral("d"));
    cells->setRows(3);
    cells->setCols(3);
    EXPECT_EQ(cells->TextMatrix(0, 1), QStringLiteral("b"));
    EXPECT_EQ(cells->TextMatrix(1, 0), QStringLiteral("c"));
    EXPECT_TRUE(cells->TextMatrix(2, 2).isEmpty());
    cells->setRows(1);
    cells->setCols(1);
    EXPECT_EQ(cells->TextMatrix(0, 0), QStringLiteral("a"));
    cells->setRows(2);
    cells->setCols(2);
    EXPECT_TRUE(cells->TextMatrix(0, 1).isEmpty()); // a cell that went away comes back empty

    std::unique_ptr<ui::FlexGrid> churn(gridOf(10, 1));
    for (int r = 1; r < 10; ++r) {
        churn->setTextMatrix(r, 0, QStringLiteral("固定%1").arg(r));
    }
    for (int i = 0; i < 200000; ++i) {
        churn->setTextMatrix(0, 0, QStringLiteral("第%1次写入的一段较长文字").arg(i));
    }
    EXPECT_EQ(churn->TextMatrix(0, 0), QStringLiteral("第199999次写入的一段较长文字"));
    for (int r = 1; r < 10; ++r) {
        EXPECT_EQ(churn->TextMatrix(r, 0), QStringLiteral("固定%1").arg(r));
    }
    churn->Clear();
    EXPECT_EQ(churn->Rows(), 10);
    EXPECT_TRUE(churn->TextMatrix(3, 0).isEmpty());
}

} // namespace
