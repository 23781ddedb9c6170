#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/GridRows.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

namespace {

class FlexGridTest : public testsupport::GuiTest
{
protected:
    // A window with a box before and after the grid, shown and active.
    void SetUp() override
    {
        GuiTest::SetUp();
        window = new QWidget;
        before = new QLineEdit(window);
        grid = new ui::FlexGrid(window);
        after = new QPushButton(QStringLiteral("后"), window);
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        window->resize(600, 400);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // Rows x 3 cells, texts "r,c".
    void fill(int rows)
    {
        grid->setRows(rows);
        grid->setCols(3);
        grid->Clear();
        grid->setFormatString(QStringLiteral("|<甲|<乙"));
        grid->setRowHeight(-1, 300);
        for (int r = 1; r < rows; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid->setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
            }
        }
        QCoreApplication::processEvents();
    }

    QPoint cellCentre(int row, int col) const
    {
        return grid->visualRect(grid->model()->index(row - 1, col)).center();
    }

    QWidget* window = nullptr;
    QLineEdit* before = nullptr;
    ui::FlexGrid* grid = nullptr;
    QPushButton* after = nullptr;
};

TEST_F(FlexGridTest, ShapeFormatStringAndTexts)
{
    EXPECT_EQ(grid->Rows(), 2); // design shape
    EXPECT_EQ(grid->Cols(), 2);
    fill(4);
    EXPECT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->Cols(), 3);
    EXPECT_EQ(grid->model()->rowCount(), 3); // row 0 is the header, not a data row
    EXPECT_EQ(grid->TextMatrix(0, 0), QString());
    EXPECT_EQ(grid->TextMatrix(0, 1), QStringLiteral("甲"));
    EXPECT_EQ(grid->TextMatrix(0, 2), QStringLiteral("乙"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("甲"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(grid->TextMatrix(3, 2), QStringLiteral("3,2"));
    EXPECT_EQ(grid->model()->data(grid->model()->index(2, 2)).toString(), QStringLiteral("3,2"));

    // Clear empties every text, titles included, and keeps the shape.
    grid->Clear();
    EXPECT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->TextMatrix(3, 2), QString());
    EXPECT_EQ(grid->TextMatrix(0, 1), QString());

    // Growing keeps the texts that were there; a format string with more titles adds columns.
    fill(3);
    grid->setRows(5);
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("2,1"));
    grid->setFormatString(QStringLiteral("|<a|>b|^c|d"));
    EXPECT_EQ(grid->Cols(), 5);
    EXPECT_EQ(grid->TextMatrix(0, 4), QStringLiteral("d"));
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

TEST_F(FlexGridTest, WidthsAndHeightsAreTwips)
{
    fill(3);
    grid->setColWidth(0, 0);
    grid->setColWidth(1, 3000);
    grid->setColWidth(2, 800);
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_EQ(grid->ColWidth(0), 0);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(1), 200);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(2), ui::twips::toPixels(800));
    EXPECT_EQ(grid->ColWidth(1), 3000);
    EXPECT_EQ(grid->rowHeight(0), 20);
    EXPECT_EQ(grid->horizontalHeader()->height(), 20);
    grid->setRowHeight(2, 600);
    EXPECT_EQ(grid->rowHeight(1), 40);
    EXPECT_EQ(grid->rowHeight(0), 20);
    // A width of 0 hides; a later width shows the column again.
    grid->setColWidth(0, 450);
    EXPECT_FALSE(grid->isColumnHidden(0));
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 30);
}

TEST_F(FlexGridTest, CurrentCellSelectionAndWholeRowHighlight)
{
    fill(5);
    grid->setCol(0);
    grid->setRow(3);
    EXPECT_EQ(grid->Text(), QStringLiteral("3,0"));
    EXPECT_EQ(grid->RowSel(), 3);
    EXPECT_EQ(grid->ColSel(), 0);
    grid->setColSel(grid->Cols() - 1);
    EXPECT_EQ(grid->ColSel(), 2);
    QItemSelectionModel* sel = grid->selectionModel();
    for (int c = 0; c < 3; ++c) {
        EXPECT_TRUE(sel->isSelected(grid->model()->index(2, c))) << c;
        EXPECT_FALSE(sel->isSelected(grid->model()->index(1, c))) << c;
    }
    // Setting Col resets ColSel, so the highlight shrinks to the cell.
    grid->setCol(1);
    EXPECT_EQ(grid->ColSel(), 1);
    EXPECT_FALSE(sel->isSelected(grid->model()->index(2, 2)));
    // Values outside the grid are ignored.
    grid->setRow(99);
    grid->setCol(-1);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 1);
    // Shrinking keeps the current cell inside.
    grid->setRows(2);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(FlexGridTest, ClicksFireWithTheClickedRowAlreadyCurrent)
{
    fill(6);
    int rowAtClick = -1;
    int rowSelAtClick = -1;
    QString textAtClick;
    QObject::connect(grid, &ui::FlexGrid::Click, grid, [&] {
        rowAtClick = grid->Row();
        rowSelAtClick = grid->RowSel();
        textAtClick = grid->Text();
    });
    QSignalSpy clicks(grid, &ui::FlexGrid::Click);
    QSignalSpy doubles(grid, &ui::FlexGrid::DblClick);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(4, 2));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(rowAtClick, 4);
    EXPECT_EQ(rowSelAtClick, 4);
    EXPECT_EQ(textAtClick, QStringLiteral("4,2"));
    EXPECT_EQ(grid->Col(), 2);

    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->RowSel(), 2);

    // Below the last row nothing is clicked and the current row stays.
    clicks.clear();
    const int belowRows = grid->rowViewportPosition(4) + grid->rowHeight(4) + 30;
    ASSERT_LT(belowRows, grid->viewport()->height());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, belowRows));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(grid->Row(), 2);
    // A double click there still counts, as on any part of the grid, and the current row stays.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, belowRows));
    EXPECT_EQ(doubles.count(), 2);
    EXPECT_EQ(grid->Row(), 2);

    // Up and Down select a row as a click does.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(rowAtClick, 3);
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(rowAtClick, 1);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(rowAtClick, 1);
}

TEST_F(FlexGridTest, TopRowTakesOnlyRowsItCanShow)
{
    fill(200);
    EXPECT_EQ(grid->TopRow(), 1);
    grid->setTopRow(50);
    EXPECT_EQ(grid->TopRow(), 50);
    EXPECT_EQ(grid->rowAt(0), 49);
    grid->setTopRow(0);
    EXPECT_EQ(grid->TopRow(), 50);
    grid->setTopRow(200);
    EXPECT_EQ(grid->TopRow(), 50);
    // The last rows: as far as the grid scrolls, never beyond.
    grid->setTopRow(199);
    EXPECT_GT(grid->TopRow(), 150);
    EXPECT_LE(grid->TopRow(), 199);
    EXPECT_EQ(grid->TopRow() - 1, grid->verticalScrollBar()->maximum());
}

TEST_F(FlexGridTest, WheelIsLeftToTheWindowAndTabLeavesTheGrid)
{
    fill(200);
    // Left unaccepted, a wheel event from the system travels on to the window.
    const auto wheelAt = [](QWidget* target, QPoint pos) {
        QWheelEvent wheel(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        wheel.accept();
        QApplication::sendEvent(target, &wheel);
        return wheel.isAccepted();
    };
    EXPECT_FALSE(wheelAt(grid->viewport(), QPoint(50, 50)));
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_FALSE(wheelAt(grid->verticalScrollBar(), QPoint(5, 50)));
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 0);

    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST_F(FlexGridTest, LooksAsLaidOut)
{
    fill(3);
    const QColor lines = QColor::fromRgba(
        static_cast<QRgb>(grid->style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, grid)));
    EXPECT_EQ(lines, QColor(128, 128, 192));
    EXPECT_EQ(grid->palette().color(QPalette::Base), QColor(Qt::white));
    // The area beyond the last row is drawn white.
    const QImage shot = grid->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), QColor(Qt::white));
    EXPECT_EQ(grid->font().pointSize(), 9);
    EXPECT_EQ(grid->font().families().value(0), QStringLiteral("宋体"));
}

// A million listed rows, made up when asked for as a listing's rows are read.
class MadeUpRows final : public ui::GridRows
{
public:
    explicit MadeUpRows(int rows)
        : m_rows(rows)
    {}
    QString text(int r, int c) override
    {
        ++asked;
        switch (c) {
        case 0:
            return QString::number(m_rows - r);
        case 1:
            return QStringLiteral("蓝牙耳机 黑色 %1").arg(r % 97);
        case 7:
            return QStringLiteral("YT%1").arg(1000000000 + r);
        default:
            return QStringLiteral("x");
        }
    }
    int asked = 0;

private:
    int m_rows;
};

TEST_F(FlexGridTest, AMillionRowsFromARowSource)
{
    constexpr int rows = 1'000'001;
    grid->setRows(rows);
    grid->setCols(9);
    grid->Clear();
    grid->setFormatString(
        QStringLiteral("|<商品名称|<买家呢称|<购买数量|<进价|<售价|<销售日期|<快递单号|<备注"));
    auto source = std::make_unique<MadeUpRows>(rows);
    MadeUpRows* made = source.get();
    grid->setRowSource(std::move(source));
    QTest::qWait(1);
    grid->viewport()->repaint();
    EXPECT_LT(made->asked, 9 * 60) << "only the rows on screen are asked for";

    EXPECT_EQ(grid->Rows(), rows);
    EXPECT_EQ(grid->model()->rowCount(), rows - 1);
    EXPECT_EQ(grid->TextMatrix(0, 1), QStringLiteral("商品名称"));
    EXPECT_EQ(grid->TextMatrix(1, 0), QStringLiteral("1000000"));
    EXPECT_EQ(grid->TextMatrix(rows - 1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->TextMatrix(500000, 7), QStringLiteral("YT1000500000"));
    EXPECT_EQ(grid->TextMatrix(40000, 1), QStringLiteral("蓝牙耳机 黑色 %1").arg(40000 % 97));
    // A written cell goes before the source; Clear drops both.
    grid->setTextMatrix(2, 1, QStringLiteral("写入"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QStringLiteral("写入"));
    // Rows past 32767 are reachable.
    grid->setRow(40000);
    grid->setCol(0);
    EXPECT_EQ(grid->Text(), QString::number(rows - 40000));
    grid->setTopRow(999000);
    EXPECT_EQ(grid->TopRow(), 999000);
    grid->Clear();
    EXPECT_TRUE(grid->TextMatrix(2, 1).isEmpty());
    EXPECT_TRUE(grid->TextMatrix(1, 0).isEmpty());
}

TEST_F(FlexGridTest, KeysBringTheSelectedRowIntoView)
{
    grid->setRows(100001);
    grid->setCols(9);
    grid->setColWidth(0, 0); // the hidden id column is the current one after a listing
    grid->setRowSource(std::make_unique<MadeUpRows>(100000));
    grid->setCol(0);
    grid->setRow(1);
    grid->setColSel(8);
    const auto inView = [this] {
        const int shown = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
        return grid->Row() >= grid->TopRow() && grid->Row() < grid->TopRow() + shown;
    };
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(grid->Row(), 100000);
    EXPECT_TRUE(inView());
    QTest::keyClick(grid, Qt::Key_PageUp);
    EXPECT_TRUE(inView());
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(grid, Qt::Key_PageDown);
        EXPECT_TRUE(inView());
    }
    EXPECT_GT(grid->Row(), 3);
}

} // namespace
