#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "wheel/WheelHook.h"

#include <QTest>
#include <memory>

using wheel::scrollGrid;

namespace {

constexpr int Notch = 120;

// A shown grid of the given size whose rows are tall enough that every data row, the last one included,
// can be the first row shown.
class ScrollGridTest : public testsupport::GuiTest
{
protected:
    void TearDown() override
    {
        grid.reset(); // before the fixture deletes what is left of the windows
        GuiTest::TearDown();
    }
    void makeGrid(int rows)
    {
        grid = std::make_unique<ui::FlexGrid>();
        grid->setCols(3);
        grid->setRows(rows);
        for (int r = 1; r < rows; ++r) {
            grid->setTextMatrix(r, 1, QString::number(r));
        }
        grid->setRowHeight(-1, 1500);
        grid->resize(300, 160);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    }
    // Scrolls from top with the given rotation and tells where the grid ends up.
    int scrollFrom(int top, int rotation)
    {
        grid->setTopRow(top);
        EXPECT_EQ(grid->TopRow(), top) << "the grid could not be put at row " << top;
        scrollGrid(grid.get(), rotation);
        return grid->TopRow();
    }

    std::unique_ptr<ui::FlexGrid> grid;
};

TEST_F(ScrollGridTest, OneNotchMovesThreeRowsEitherWay)
{
    makeGrid(101);
    EXPECT_EQ(scrollFrom(10, Notch), 7);
    EXPECT_EQ(scrollFrom(10, -Notch), 13);
    // Repeated notches keep going by three.
    scrollGrid(grid.get(), -Notch);
    EXPECT_EQ(grid->TopRow(), 16);
}

TEST_F(ScrollGridTest, StopsAtTheFirstOrderAndTheLastRow)
{
    makeGrid(20);
    // Never onto the header row.
    EXPECT_EQ(scrollFrom(2, Notch), 1);
    scrollGrid(grid.get(), Notch);
    EXPECT_EQ(grid->TopRow(), 1);
    // Never past the last row.
    EXPECT_EQ(scrollFrom(18, -Notch), 19);
    scrollGrid(grid.get(), -Notch);
    EXPECT_EQ(grid->TopRow(), 19);
}

TEST_F(ScrollGridTest, AnyRotationIsOneStepAndZeroGoesDown)
{
    makeGrid(101);
    EXPECT_EQ(scrollFrom(50, 2 * Notch), 47); // two notches at once
    EXPECT_EQ(scrollFrom(50, 1), 47);
    EXPECT_EQ(scrollFrom(50, -1), 53);
    EXPECT_EQ(scrollFrom(50, -10 * Notch), 53);
    EXPECT_EQ(scrollFrom(50, 0), 53);
}

TEST_F(ScrollGridTest, AGridWithoutOrdersOrNoGridIsLeftAlone)
{
    makeGrid(1); // the header row alone
    const int top = grid->TopRow();
    scrollGrid(grid.get(), Notch);
    EXPECT_EQ(grid->TopRow(), top);
    scrollGrid(grid.get(), -Notch);
    EXPECT_EQ(grid->TopRow(), top);
    EXPECT_EQ(grid->Rows(), 1);

    makeGrid(2); // one order: it stays the first row shown
    scrollGrid(grid.get(), -Notch);
    EXPECT_EQ(grid->TopRow(), 1);
    scrollGrid(grid.get(), Notch);
    EXPECT_EQ(grid->TopRow(), 1);

    scrollGrid(nullptr, Notch); // a window without its grid
    scrollGrid(nullptr, -Notch);
}

} // namespace
