#include "ShownMainWindow.h"
#include "entry/EntryWindow.h"
#include "entry/OpenEntryWindow.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/MainWindow.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MonthView.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

namespace {

class LayoutTest : public testsupport::GuiTest
{
protected:
    mainwindow::MainWindow* shownForm() { return shownMainWindow(); }
};

TEST_F(LayoutTest, EveryControlSitsInItsContainerAsTheTableSays)
{
    auto* form = new mainwindow::MainWindow; // design state, before the load
    ASSERT_EQ(mainwindow::mainLayoutTable().size(), 30u);
    for (const mainwindow::ControlRow& item : mainwindow::mainLayoutTable()) {
        const QString name = QString::fromLatin1(item.name);
        SCOPED_TRACE(item.name);
        auto* widget = form->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr);
        const QString container = item.container ? (form->*item.container)->objectName() : QString();
        EXPECT_EQ(widget->parentWidget()->objectName(),
                  container.isEmpty() ? QStringLiteral("clientArea") : container);
        if (std::holds_alternative<mainwindow::ControlRow::Slot<ui::Label>>(item.slot)) {
            // Labels size themselves to their text from the given corner.
            EXPECT_EQ(widget->pos(), QPoint(ui::twips::toPixels(item.left), ui::twips::toPixels(item.top)));
            EXPECT_EQ(widget->size(), widget->sizeHint());
            EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
        } else {
            EXPECT_EQ(widget->geometry(), ui::twips::rect(item.left, item.top, item.width, item.height));
        }
        const bool hidden = name == QStringLiteral("ddid") || name == QStringLiteral("MonthView1");
        EXPECT_EQ(widget->isHidden(), hidden);
    }
    EXPECT_EQ(form->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(), QString());
    EXPECT_EQ(form->findChild<QGroupBox*>(QStringLiteral("Frame1"))->geometry(), QRect(272, 0, 489, 81));
    EXPECT_EQ(form->orderGrid->geometry(), QRect(8, 96, 881, 340));
    EXPECT_EQ(form->calendar->geometry(), QRect(272, 72, 271, 148));
}

TEST_F(LayoutTest, TheWindowCaptionsColoursAndDesignTexts)
{
    auto* form = new mainwindow::MainWindow;
    EXPECT_EQ(form->objectName(), QStringLiteral("mainfrm"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tallywick V1.1 [Tallywick工作室出品]"));
    // The client area has the designed place and size; the menu bar lies above it.
    // ... and the status bar below it.
    const int menuHeight = form->menuBar()->sizeHint().height();
    const int statusHeight = form->statusBar()->sizeHint().height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_GT(statusHeight, 0);
    EXPECT_EQ(form->geometry(), QRect(203, 183, 896, 471 + menuHeight + statusHeight));
    form->layout()->activate();
    EXPECT_EQ(form->centralWidget()->objectName(), QStringLiteral("clientArea"));
    EXPECT_EQ(form->centralWidget()->geometry(), QRect(0, menuHeight, 896, 471));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowSystemMenuHint);

    const QStringList buttons = {QStringLiteral("我要记帐"), QStringLiteral("修改定单"),
                                 QStringLiteral("删除定单"), QStringLiteral("查询定单"),
                                 QStringLiteral("全部定单"), QStringLiteral("导出定单")};
    const QList<QPushButton*> b = {form->newOrderButton, form->editOrderButton, form->deleteOrderButton,
                                   form->queryButton,    form->allOrdersButton, form->exportButton};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(b[i]->text(), buttons[i]);
    }
    QStringList items;
    for (int i = 0; i < form->fieldList->count(); ++i) {
        items.append(form->fieldList->itemText(i));
    }
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("请选择类别"), QStringLiteral("商品名称"),
                           QStringLiteral("买家呢称"), QStringLiteral("快递单号"), QStringLiteral("备注")}));
    EXPECT_FALSE(form->fieldList->isEditable());
    EXPECT_EQ(form->fieldList->currentIndex(), -1);
    EXPECT_EQ(form->keywordBox->text(), QStringLiteral("请输入关键字"));
    const QList<ui::Label*> d = {form->ordersTotal, form->piecesTotal, form->costTotal, form->salesTotal,
                                 form->profitTotal};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d[i]->text(), QString::number(i + 1));
    }
    EXPECT_EQ(form->shopLink->text().size(), 6);
    EXPECT_EQ(form->homeLink->text(), QStringLiteral("官方网站"));
    EXPECT_EQ(form->shopLink->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(form->homeLink->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (QLineEdit* box : {form->startDateBox, form->endDateBox}) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(224, 224, 224));
    }
    EXPECT_FALSE(form->keywordBox->isReadOnly());
    EXPECT_EQ(form->font().pointSize(), 9);
    EXPECT_EQ(form->calendar->minimumDate(), QDate(1753, 1, 1));
    EXPECT_EQ(form->calendar->maximumDate(), QDate(9999, 12, 31));
    EXPECT_EQ(form->orderGrid->Rows(), 2);
    EXPECT_EQ(form->orderGrid->Cols(), 2);
}

TEST_F(LayoutTest, TabOrderRunsAsTheTableWithTheCalendarWhileShown)
{
    mainwindow::MainWindow* form = shownForm();
    const auto walk = [&](int steps) {
        QStringList seen;
        form->newOrderButton->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < steps; ++i) {
            QWidget* focus = QApplication::focusWidget();
            // The calendar's inner view holds the focus for it.
            if (form->calendar->isAncestorOf(focus)) {
                focus = form->calendar;
            }
            seen.append(focus ? focus->objectName() : QStringLiteral("(none)"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return seen;
    };
    const QStringList closed = {
        QStringLiteral("b1"), QStringLiteral("b2"),      QStringLiteral("b3"),          QStringLiteral("c1"),
        QStringLiteral("c2"), QStringLiteral("enddate"), QStringLiteral("startdate"),   QStringLiteral("b4"),
        QStringLiteral("b5"), QStringLiteral("b6"),      QStringLiteral("MSFlexGrid1"), QStringLiteral("b1")};
    EXPECT_EQ(walk(12), closed);

    form->calendar->show();
    QStringList open = closed;
    open.insert(7, QStringLiteral("MonthView1"));
    EXPECT_EQ(walk(13), open);
}

TEST_F(LayoutTest, ResizingMovesNothingAndTotalsGrowToTheRight)
{
    mainwindow::MainWindow* form = shownForm();
    QList<QRect> before;
    const QList<QWidget*> children =
        form->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        before.append(w->geometry());
    }
    form->resize(1200, 700);
    QCoreApplication::processEvents();
    for (int i = 0; i < children.size(); ++i) {
        EXPECT_EQ(children[i]->geometry(), before[i]) << children[i]->objectName().toStdString();
    }

    const QPoint corner = form->ordersTotal->pos();
    const int narrow = form->ordersTotal->width();
    form->ordersTotal->setText(QStringLiteral("123456789 条"));
    EXPECT_EQ(form->ordersTotal->pos(), corner);
    EXPECT_GT(form->ordersTotal->width(), narrow);
    EXPECT_GE(form->ordersTotal->width(), form->ordersTotal->sizeHint().width()); // nothing clipped
    EXPECT_LT(form->ordersTotal->geometry().right(),
              form->findChild<QWidget*>(QStringLiteral("Label5"))->x());
}

TEST_F(LayoutTest, TheCalendarLiesInFrontOfTheFilterAndTheGrid)
{
    mainwindow::MainWindow* form = shownForm();
    QTest::mouseClick(form->startDateBox, Qt::LeftButton);
    ASSERT_TRUE(form->calendar->isVisible());
    const QPoint overGrid = form->calendar->geometry().bottomLeft() + QPoint(20, -20);
    ASSERT_TRUE(form->orderGrid->geometry().contains(overGrid));
    QWidget* client = form->centralWidget();
    EXPECT_TRUE(form->calendar->isAncestorOf(client->childAt(overGrid)) ||
                client->childAt(overGrid) == form->calendar);
    const QPoint overFrame = form->calendar->geometry().topLeft() + QPoint(20, 3);
    EXPECT_TRUE(form->calendar->isAncestorOf(client->childAt(overFrame)) ||
                client->childAt(overFrame) == form->calendar);
}

// Run with several screen sizes (see extra.cmake): the designed place where the screen holds it, else
// every part of both windows on the screen.
TEST_F(LayoutTest, BothWindowsLieWhollyOnTheScreen)
{
    mainwindow::MainWindow* form = shownForm();
    QTest::qWait(0);
    const QRect available = form->screen()->availableGeometry();
    const QRect designed(203, 183, 896,
                         471 + form->menuBar()->sizeHint().height() + form->statusBar()->sizeHint().height());
    const QMargins frame = form->windowHandle()->frameMargins();
    if (available.contains(designed.marginsAdded(frame))) {
        EXPECT_EQ(form->geometry(), designed);
    } else {
        EXPECT_TRUE(available.contains(form->frameGeometry()))
            << "frame " << form->frameGeometry().x() << "," << form->frameGeometry().y() << " "
            << form->frameGeometry().width() << "x" << form->frameGeometry().height();
        EXPECT_EQ(form->width(), std::min(896, available.width() - frame.left() - frame.right()));
        EXPECT_EQ(form->height(),
                  std::min(designed.height(), available.height() - frame.top() - frame.bottom()));
    }
    // The entry window too, even over a main window pushed against the screen's corner.
    form->move(available.right() - 100, available.bottom() - 100);
    bool seen = false;
    entry::entry_seam::setShownHook([&](entry::EntryWindow& w) {
        seen = true;
        EXPECT_TRUE(available.contains(w.frameGeometry()));
    });
    form->newOrderButton->click();
    entry::entry_seam::reset();
    EXPECT_TRUE(seen);
}

} // namespace
