#include "EntryFixture.h"
#include "entry/EntryTexts.h"

#include "entry/OpenEntryWindow.h"
#include "store/StoreError.h"
#include "ui/MonthView.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTableView>
#include <QWindow>

namespace {

class EntryModalTest : public EntryTest
{
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        host().window->resize(800, 600);
        host().window->move(100, 80);
        host().window->show();
    }
    void TearDown() override
    {
        entry::entry_seam::reset();
        EntryTest::TearDown();
    }

    // Opens the window through the main window's path, for a new order or the order with orderId, and runs
    // drive inside its modal loop.
    void openWith(const std::function<void(entry::EntryWindow&)>& drive, std::optional<qint64> orderId = {})
    {
        int runs = 0;
        entry::entry_seam::setShownHook([&](entry::EntryWindow& window) {
            ++runs;
            drive(window);
        });
        entry::openEntryWindow(host(), orderId);
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    static QLineEdit* box(entry::EntryWindow& w, const char* name)
    {
        return w.findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    // Clicks a day of the calendar's shown month. Days 8 to 21 are never shown from a neighbouring month.
    static void clickDay(ui::MonthView* calendar, int day)
    {
        ASSERT_TRUE(day >= 8 && day <= 21);
        auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
        ASSERT_NE(view, nullptr);
        const QAbstractItemModel* model = view->model();
        for (int row = 1; row < model->rowCount(); ++row) {
            for (int col = 0; col < model->columnCount(); ++col) {
                const QModelIndex index = model->index(row, col);
                if (model->data(index).toInt() == day) {
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
                    return;
                }
            }
        }
        FAIL() << "day not shown";
    }
};

} // namespace

TEST_F(EntryModalTest, OpensModalCentredOnTheMainWindowFreshEachTime)
{
    QPointer<entry::EntryWindow> first;
    openWith([&](entry::EntryWindow& w) {
        first = &w;
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), &w);
        const QPoint offset = w.frameGeometry().center() - host().window->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 4);
        box(w, "spname")->setText(QStringLiteral("打到一半"));
    });
    EXPECT_TRUE(first.isNull()); // closed means gone
    openWith([&](entry::EntryWindow& w) { EXPECT_TRUE(box(w, "spname")->text().isEmpty()); });
}

TEST_F(EntryModalTest, EnterAndEscapeDoNothingTheCloseBoxCloses)
{
    openWith([&](entry::EntryWindow& w) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        box(w, "spname")->setText(QStringLiteral("茶杯"));
        box(w, "sl")->setText(QStringLiteral("1"));
        box(w, "jj")->setText(QStringLiteral("1"));
        box(w, "sj")->setText(QStringLiteral("2"));
        box(w, "mjzh")->setText(QStringLiteral("a"));
        box(w, "kddh")->setText(QStringLiteral("k"));
        for (QWidget* target : std::initializer_list<QWidget*>{box(w, "spname"), box(w, "bz"), &w}) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Enter);
            EXPECT_TRUE(w.isVisible()) << qPrintable(target->objectName());
        }
        // On a focused button Escape does nothing either; Enter presses that button alone (see below).
        auto* save = w.findChild<QPushButton*>(QStringLiteral("Command1"));
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
        EXPECT_EQ(store->count(), 0);

        // The title bar's close box.
        w.windowHandle()->close();
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(store->count(), 0);
    EXPECT_EQ(host().refreshes, 0);
}

TEST_F(EntryModalTest, EnterOnAFocusedButtonPressesIt)
{
    openWith([&](entry::EntryWindow& w) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        box(w, "spname")->setText(QStringLiteral("茶杯"));
        auto* clear = w.findChild<QPushButton*>(QStringLiteral("Command2"));
        clear->setFocus();
        QTest::keyClick(clear, Qt::Key_Return);
        EXPECT_EQ(box(w, "spname")->text(), QString());
        EXPECT_TRUE(w.isVisible());

        box(w, "spname")->setText(QStringLiteral("茶杯"));
        box(w, "sl")->setText(QStringLiteral("1"));
        box(w, "jj")->setText(QStringLiteral("1"));
        box(w, "sj")->setText(QStringLiteral("2"));
        box(w, "mjzh")->setText(QStringLiteral("a"));
        box(w, "kddh")->setText(QStringLiteral("k"));
        auto* save = w.findChild<QPushButton*>(QStringLiteral("Command1"));
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(store->count(), 1);
}

TEST_F(EntryModalTest, CloseWindowLeavesEditModeWithoutSavingOrRefreshing)
{
    const qint64 id = store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"), QStringLiteral("k"),
                                      QStringLiteral("2026-12-01"));
    openWith(
        [&](entry::EntryWindow& w) {
            box(w, "spname")->setText(QStringLiteral("改了"));
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
            EXPECT_FALSE(w.isVisible());
        },
        id);
    EXPECT_EQ(store->cell(id, QStringLiteral("spname")), QStringLiteral("杯"));
    EXPECT_EQ(host().refreshes, 0);
}

TEST_F(EntryModalTest, CalendarStartsAtTheDesignDateEachOpeningThenKeepsTheLastPick)
{
    openWith([&](entry::EntryWindow& w) {
        auto* calendar = w.findChild<ui::MonthView*>(QStringLiteral("MonthView1"));
        QLineEdit* xsdate = box(w, "xsdate");
        EXPECT_FALSE(calendar->isVisible());
        QTest::mouseClick(xsdate, Qt::LeftButton);
        ASSERT_TRUE(calendar->isVisible());
        EXPECT_EQ(calendar->pos(), QPoint(56, 48));
        EXPECT_EQ(calendar->Value(), QDate(2011, 3, 2));
        EXPECT_EQ(calendar->monthShown(), 3);
        EXPECT_EQ(calendar->yearShown(), 2011);

        clickDay(calendar, 15);
        EXPECT_EQ(xsdate->text(), QStringLiteral("2011/3/15"));
        EXPECT_FALSE(calendar->isVisible());

        // Typing is allowed and does not move the calendar; the next pick overwrites it.
        xsdate->setText(QString());
        QTest::keyClicks(xsdate, QStringLiteral("2026/1/2"));
        EXPECT_EQ(xsdate->text(), QStringLiteral("2026/1/2"));
        QTest::mouseClick(xsdate, Qt::LeftButton);
        EXPECT_EQ(calendar->Value(), QDate(2011, 3, 15));
        clickDay(calendar, 20);
        EXPECT_EQ(xsdate->text(), QStringLiteral("2011/3/20"));

        // Clearing the form leaves the calendar as it is.
        QTest::mouseClick(xsdate, Qt::LeftButton);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
        EXPECT_TRUE(calendar->isVisible());
        EXPECT_EQ(xsdate->text(), today());
    });
    openWith([&](entry::EntryWindow& w) {
        auto* calendar = w.findChild<ui::MonthView*>(QStringLiteral("MonthView1"));
        EXPECT_EQ(calendar->Value(), QDate(2011, 3, 2));
        EXPECT_FALSE(calendar->isVisible());
    });
}

TEST_F(EntryModalTest, AnOrderThatCannotBeReadIsToldAndNothingOpens)
{
    ASSERT_TRUE(QFile::remove(store->dataFile()));
    bool opened = false;
    entry::entry_seam::setShownHook([&](entry::EntryWindow&) { opened = true; });
    entry::openEntryWindow(host(), 1);
    EXPECT_FALSE(opened);
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().front().text.startsWith(entry::texts::loadFailed));
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
}

TEST_F(EntryModalTest, TypingStartsInTheGoodsNameInBothModes)
{
    const qint64 id = store->addOrder(QStringLiteral("旧"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                                      QStringLiteral("2026-12-01"));
    for (const bool edit : {false, true}) {
        openWith(
            [&](entry::EntryWindow& w) {
                EXPECT_EQ(w.editMode(), edit);
                ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() != nullptr; }));
                EXPECT_EQ(QApplication::focusWidget(), box(w, "spname"));
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
                EXPECT_TRUE(box(w, "spname")->text().endsWith(QStringLiteral("abc")));
                EXPECT_FALSE(box(w, "xsdate")->text().contains(QStringLiteral("abc")));
            },
            edit ? std::optional(id) : std::nullopt);
    }
}
