#include "ShownMainForm.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/MainTexts.h"
#include "mainwindow/Statements.h"
#include "store/DbConfig.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/MonthView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

const QString range = QStringLiteral(" and  xsdate>=#2026/9/30#   and xsdate<= #2026/10/1#   ");

QString condition(const QString& field, const QString& keyword)
{
    return mainwindow::queryCondition(field, keyword, QStringLiteral("2026/9/30"),
                                      QStringLiteral("2026/10/1"));
}

TEST(QueryCondition, KeywordClauseOnlyWithFieldAndKeyword)
{
    EXPECT_EQ(condition(QStringLiteral("请选择类别"), QStringLiteral("请输入关键字")), range);
    EXPECT_EQ(condition(QStringLiteral("请选择类别"), QStringLiteral("abc")), range);
    EXPECT_EQ(condition(QStringLiteral("商品名称"), QStringLiteral("请输入关键字")), range);
    EXPECT_EQ(condition(QStringLiteral("商品名称"), QString()), range);
    EXPECT_EQ(condition(QString(), QStringLiteral("abc")), range); // nothing selected yet
    EXPECT_EQ(condition(QStringLiteral("商品名称"), QStringLiteral("abc")),
              QStringLiteral(" and spname like '%abc%' ") + range);
    EXPECT_EQ(condition(QStringLiteral("买家呢称"), QStringLiteral("abc")),
              QStringLiteral(" and mjzh like '%abc%' ") + range);
    EXPECT_EQ(condition(QStringLiteral("快递单号"), QStringLiteral(" 12 ")),
              QStringLiteral(" and kddh like '% 12 %' ") + range);
    EXPECT_EQ(condition(QStringLiteral("备注"), QStringLiteral("abc")),
              QStringLiteral(" and bz like '%abc%' ") + range);
    EXPECT_EQ(condition(QStringLiteral("商品名称"), QStringLiteral("O'B 5%_[x]")),
              QStringLiteral(" and spname like '%O''B 5[%][_][[]x]%' ") + range);
}

class FilterTest : public testsupport::GuiTest
{
protected:
    mainwindow::MainForm* shownForm() { return shownMainForm(); }
    static void setRange(mainwindow::MainForm* form, QDate start, QDate end)
    {
        form->startdate->setText(store::textforms::dateText(start));
        form->enddate->setText(store::textforms::dateText(end));
    }
    static QStringList names(mainwindow::MainForm* form)
    {
        QStringList out;
        for (int r = 1; r < form->MSFlexGrid1->Rows(); ++r) {
            out.append(form->MSFlexGrid1->TextMatrix(r, 1));
        }
        return out;
    }
    // Clicks the day of the shown month in the calendar.
    static void clickDay(ui::MonthView* calendar, int day)
    {
        auto* view = calendar->findChild<QTableView*>();
        ASSERT_NE(view, nullptr);
        for (int r = 1; r < view->model()->rowCount(); ++r) {
            for (int c = 0; c < view->model()->columnCount(); ++c) {
                const QModelIndex index = view->model()->index(r, c);
                if (index.data().toInt() == day) {
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
                    return;
                }
            }
        }
        FAIL() << "day not shown";
    }
};

TEST_F(FilterTest, ChecksOfTheQueryButtonStopItButSetTheMode)
{
    store->addOrder(QStringLiteral("今天"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                    QDate::currentDate().toString(Qt::ISODate));
    mainwindow::MainForm* form = shownForm();
    const QString id = form->ddid->text();
    const auto expectStopped = [&](const QString& message) {
        db_config::listmode = QStringLiteral("all");
        store->addOrder(QStringLiteral("又一单"), 1, 1, 2, QStringLiteral("乙"), QStringLiteral("K"),
                        QDate::currentDate().toString(Qt::ISODate));
        const int shownBefore = static_cast<int>(ui::msgbox_seam::shown().size());
        QTest::mouseClick(form->b4, Qt::LeftButton);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), shownBefore + 1);
        EXPECT_EQ(ui::msgbox_seam::shown().back().text, message);
        EXPECT_EQ(ui::msgbox_seam::shown().back().flags, 48);
        EXPECT_EQ(ui::msgbox_seam::shown().back().title, QStringLiteral("提示"));
        EXPECT_EQ(db_config::listmode, QStringLiteral("cx"));
        EXPECT_EQ(form->MSFlexGrid1->Rows(), 2); // not listed again
        EXPECT_EQ(form->ddid->text(), id);
        EXPECT_EQ(form->d1->text(), QStringLiteral("1 条"));
    };
    const QString start = form->startdate->text();
    form->startdate->clear();
    expectStopped(QStringLiteral("请选择开始日期！！"));
    form->startdate->setText(start);
    form->enddate->clear();
    expectStopped(QStringLiteral("请选择结束日期！！"));
    setRange(form, QDate(2026, 10, 1), QDate(2026, 9, 30));
    expectStopped(QStringLiteral("结束日期不能小于开始日期！！"));

    // Show all, then query: the mode follows the button.
    QTest::mouseClick(form->b5, Qt::LeftButton);
    EXPECT_EQ(db_config::listmode, QStringLiteral("all"));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 5);
    EXPECT_EQ(form->startdate->text(),
              store::textforms::dateText(QDate(2026, 10, 1))); // controls keep content
    setRange(form, QDate::currentDate(), QDate::currentDate());
    QTest::mouseClick(form->b4, Qt::LeftButton);
    EXPECT_EQ(db_config::listmode, QStringLiteral("cx"));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 5);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 3);
}

TEST_F(FilterTest, RangesListByDayInclusivelyInEveryDateForm)
{
    for (const char* name : {"zh_CN", "en_US", "de_DE", "ja_JP"}) {
        const QLocale locale(QString::fromLatin1(name));
        QLocale::setDefault(locale);
        store::textforms::setUiLocale(locale);
        SCOPED_TRACE(name);

        testsupport::TempStore days;
        for (const char* day : {"2026-09-29", "2026-09-30", "2026-10-01", "2026-10-02"}) {
            days.addOrder(QString::fromLatin1(day), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                          QString::fromLatin1(day));
        }
        mainwindow::MainForm* form = shownForm();
        setRange(form, QDate(2026, 9, 30), QDate(2026, 10, 1));
        QTest::mouseClick(form->b4, Qt::LeftButton);
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty())
            << ui::msgbox_seam::shown().value(0).text.toStdString();
        EXPECT_EQ(names(form), (QStringList{QStringLiteral("2026-10-01"), QStringLiteral("2026-09-30")}));
        EXPECT_EQ(form->d1->text(), QStringLiteral("2 条"));

        // The same day at both ends lists that day.
        setRange(form, QDate(2026, 9, 29), QDate(2026, 9, 29));
        QTest::mouseClick(form->b4, Qt::LeftButton);
        EXPECT_EQ(names(form), QStringList{QStringLiteral("2026-09-29")});
        form->close();
        delete form;
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
    }
    testsupport::pinLocale();
}

TEST_F(FilterTest, TheKeywordNarrowsListAndTotalsAndMatchesLiterally)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    store->addOrder(QStringLiteral("O'Brien 5%_[x] 杯"), 2, 1, 5, QStringLiteral("甲"), QStringLiteral("K1"),
                    today);
    store->addOrder(QStringLiteral("O'Brien 50 杯"), 2, 3, 5, QStringLiteral("乙"), QStringLiteral("K2"),
                    today);
    store->addOrder(QStringLiteral("茶杯"), 2, 2, 4, QStringLiteral("丙"), QStringLiteral("K3"), today,
                    QStringLiteral("易碎"));
    mainwindow::MainForm* form = shownForm();
    ASSERT_EQ(form->MSFlexGrid1->Rows(), 4);

    form->c1->setCurrentText(QStringLiteral("商品名称"));
    QTest::mouseClick(form->c2, Qt::LeftButton);
    EXPECT_EQ(form->c2->text(), QString()); // a click empties the box
    QTest::keyClicks(form->c2, QStringLiteral("O'Brien 5%_[x]"));
    QTest::mouseClick(form->b4, Qt::LeftButton);
    EXPECT_EQ(names(form), QStringList{QStringLiteral("O'Brien 5%_[x] 杯")});
    EXPECT_EQ(form->d1->text(), QStringLiteral("1 条"));
    EXPECT_EQ(form->d4->text(), QStringLiteral("5 元"));
    EXPECT_EQ(store->count(), 3); // nothing changed by the quote

    form->c2->setText(QStringLiteral("O'Brien"));
    QTest::mouseClick(form->b4, Qt::LeftButton);
    EXPECT_EQ(form->d1->text(), QStringLiteral("2 条"));
    EXPECT_EQ(form->d2->text(), QStringLiteral("4 件"));
    EXPECT_EQ(form->d5->text(), QStringLiteral("12 元"));

    form->c1->setCurrentText(QStringLiteral("备注"));
    form->c2->setText(QStringLiteral("易碎"));
    QTest::mouseClick(form->b4, Qt::LeftButton);
    EXPECT_EQ(names(form), QStringList{QStringLiteral("茶杯")});

    // A keyword with the prompt field is ignored.
    form->c1->setCurrentText(QStringLiteral("请选择类别"));
    QTest::mouseClick(form->b4, Qt::LeftButton);
    EXPECT_EQ(form->d1->text(), QStringLiteral("3 条"));

    // Every click into the box empties it, also with a typed keyword.
    form->c2->setText(QStringLiteral("abc"));
    QTest::mouseClick(form->c2, Qt::LeftButton);
    EXPECT_EQ(form->c2->text(), QString());
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

TEST_F(FilterTest, TheCalendarWritesTheTaggedBoxAndHides)
{
    mainwindow::MainForm* form = shownForm();
    ui::MonthView* calendar = form->MonthView1;
    const QString today = store::textforms::dateText(QDate::currentDate());

    // The date boxes take a click but no typing.
    QTest::keyClicks(form->startdate, QStringLiteral("2020"));
    EXPECT_EQ(form->startdate->text(), today);

    QTest::mouseClick(form->startdate, Qt::LeftButton);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->Tag, QStringLiteral("startdate"));
    // Clicking the other box while it is open only changes the target.
    QTest::mouseClick(form->enddate, Qt::LeftButton);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->Tag, QStringLiteral("enddate"));

    clickDay(calendar, 15);
    const QDate picked(QDate::currentDate().year(), QDate::currentDate().month(), 15);
    EXPECT_EQ(calendar->Value(), picked);
    EXPECT_EQ(form->enddate->text(), store::textforms::dateText(picked));
    EXPECT_EQ(form->startdate->text(), today);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form->enddate);

    // It opens again on the day last picked, and writes the start box this time.
    calendar->setCurrentPage(2011, 3);
    QTest::mouseClick(form->startdate, Qt::LeftButton);
    EXPECT_EQ(calendar->Value(), picked);
    calendar->showSelectedDate();
    clickDay(calendar, 15);
    EXPECT_EQ(form->startdate->text(), store::textforms::dateText(picked));
    EXPECT_EQ(QApplication::focusWidget(), form->startdate);
    // Picking does not list.
    EXPECT_EQ(db_config::listmode, QStringLiteral("cx"));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

TEST_F(FilterTest, TheKeyboardOpensTheCalendarPicksADayAndEscapeClosesIt)
{
    mainwindow::MainForm* form = shownForm();
    ui::MonthView* calendar = form->MonthView1;
    const QString today = store::textforms::dateText(QDate::currentDate());
    struct Key
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    const Key opening[] = {{Qt::Key_Space, Qt::NoModifier},
                           {Qt::Key_Return, Qt::NoModifier},
                           {Qt::Key_Enter, Qt::KeypadModifier},
                           {Qt::Key_F4, Qt::NoModifier},
                           {Qt::Key_Down, Qt::AltModifier}};
    for (QLineEdit* box : {form->startdate, form->enddate}) {
        for (const Key& k : opening) {
            SCOPED_TRACE(box->objectName().toStdString() + " key " + std::to_string(k.key));
            box->setFocus();
            QTest::keyClick(box, k.key, k.mods);
            ASSERT_TRUE(calendar->isVisible());
            EXPECT_EQ(calendar->Tag, box->objectName());
            // Escape closes it and changes nothing; the focus is back in the box.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            EXPECT_FALSE(calendar->isVisible());
            EXPECT_EQ(QApplication::focusWidget(), box);
            EXPECT_EQ(box->text(), today);
        }
    }
    // Other keys neither open it nor type; F4 with Alt is the window manager's.
    for (const Key& k : {Key{Qt::Key_Down, Qt::NoModifier}, Key{Qt::Key_F4, Qt::AltModifier},
                         Key{Qt::Key_A, Qt::NoModifier}}) {
        QTest::keyClick(form->enddate, k.key, k.mods);
        EXPECT_FALSE(calendar->isVisible());
    }

    // A keyboard-only pick: open, move a day with the arrows, Enter.
    form->enddate->setFocus();
    QTest::keyClick(form->enddate, Qt::Key_F4);
    ASSERT_TRUE(calendar->isVisible());
    const QDate start = calendar->Value();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(form->enddate->text(), store::textforms::dateText(start.addDays(1)));
    EXPECT_EQ(form->startdate->text(), today);
    EXPECT_EQ(QApplication::focusWidget(), form->enddate);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

TEST_F(FilterTest, EnterOnAFocusedButtonPressesIt)
{
    store->addOrder(QStringLiteral("上周的"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                    QDate::currentDate().addDays(-7).toString(Qt::ISODate));
    mainwindow::MainForm* form = shownForm();
    ASSERT_EQ(form->MSFlexGrid1->Rows(), 1);
    form->b5->setFocus();
    QTest::keyClick(form->b5, Qt::Key_Return);
    EXPECT_EQ(db_config::listmode, QStringLiteral("all"));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 2);
    form->b4->setFocus();
    QTest::keyClick(form->b4, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(db_config::listmode, QStringLiteral("cx"));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
    // Enter in the keyword box still presses nothing.
    form->c2->setFocus();
    QTest::keyClick(form->c2, Qt::Key_Return);
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

} // namespace
