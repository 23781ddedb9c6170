#include "ShownMainWindow.h"
#include "mainwindow/MainTexts.h"
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
#include <functional>

namespace {

class FilterTest : public testsupport::GuiTest
{
protected:
    mainwindow::MainWindow* shownForm() { return shownMainWindow(); }
    static void setRange(mainwindow::MainWindow* form, QDate start, QDate end)
    {
        form->startDateBox->setText(store::textforms::dateText(start));
        form->endDateBox->setText(store::textforms::dateText(end));
    }
    static QStringList names(mainwindow::MainWindow* form)
    {
        QStringList out;
        for (int r = 1; r < form->orderGrid->Rows(); ++r) {
            out.append(form->orderGrid->TextMatrix(r, 1));
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

TEST_F(FilterTest, ChecksOfTheQueryButtonStopItYetTheListFollowsTheFilterFromThenOn)
{
    const QDate today = QDate::currentDate();
    const auto addOrder = [&](const QString& goods, QDate day) {
        store->addOrder(goods, 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"), day.toString(Qt::ISODate));
    };
    addOrder(QStringLiteral("今天"), today);
    addOrder(QStringLiteral("上周"), today.addDays(-7));
    mainwindow::MainWindow* form = shownForm();
    const std::pair<std::function<void()>, QString> stops[] = {
        {[&] { form->startDateBox->clear(); }, QStringLiteral("请选择开始日期！！")},
        {[&] { form->endDateBox->clear(); }, QStringLiteral("请选择结束日期！！")},
        {[&] { setRange(form, QDate(2026, 10, 1), QDate(2026, 9, 30)); },
         QStringLiteral("结束日期不能小于开始日期！！")},
    };
    for (const auto& [breakFilter, message] : stops) {
        SCOPED_TRACE(message.toStdString());
        QTest::mouseClick(form->allOrdersButton, Qt::LeftButton);
        const QStringList listed = names(form);
        const std::optional<qint64> selected = form->selectedOrderId();
        const QString total = form->ordersTotal->text();
        addOrder(QStringLiteral("又一单"), today); // a listing would show it
        breakFilter();
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        QTest::mouseClick(form->queryButton, Qt::LeftButton);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
        EXPECT_EQ(ui::msgbox_seam::shown().back().text, message);
        EXPECT_EQ(ui::msgbox_seam::shown().back().flags, 48);
        EXPECT_EQ(ui::msgbox_seam::shown().back().title, QStringLiteral("提示"));
        EXPECT_EQ(names(form), listed); // not listed again
        EXPECT_EQ(form->selectedOrderId(), selected);
        EXPECT_EQ(form->ordersTotal->text(), total);
        // From now on the list is the filter's: a save lists today's orders again, last week's not.
        setRange(form, today, today);
        form->refreshList();
        EXPECT_EQ(names(form).size(), listed.size());
        EXPECT_FALSE(names(form).contains(QStringLiteral("上周")));
    }

    // Show all leaves the filter's boxes as they are; a query lists by them again.
    setRange(form, QDate(2001, 1, 1), QDate(2001, 1, 1));
    QTest::mouseClick(form->allOrdersButton, Qt::LeftButton);
    EXPECT_EQ(form->orderGrid->Rows(), 6);
    EXPECT_EQ(form->startDateBox->text(), store::textforms::dateText(QDate(2001, 1, 1)));
    QTest::mouseClick(form->queryButton, Qt::LeftButton);
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 1);
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
        mainwindow::MainWindow* form = shownForm();
        setRange(form, QDate(2026, 9, 30), QDate(2026, 10, 1));
        QTest::mouseClick(form->queryButton, Qt::LeftButton);
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty())
            << ui::msgbox_seam::shown().value(0).text.toStdString();
        EXPECT_EQ(names(form), (QStringList{QStringLiteral("2026-10-01"), QStringLiteral("2026-09-30")}));
        EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("2 条"));

        // The same day at both ends lists that day.
        setRange(form, QDate(2026, 9, 29), QDate(2026, 9, 29));
        QTest::mouseClick(form->queryButton, Qt::LeftButton);
        EXPECT_EQ(names(form), QStringList{QStringLiteral("2026-09-29")});
        form->close();
        delete form;
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
    }
    testsupport::pinLocale();
}

TEST_F(FilterTest, AKeywordInEachFieldOrAllNarrowsListAndTotalsAndMatchesLiterally)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString first = QStringLiteral("O'Brien 5%_[x] 杯");
    const QString second = QStringLiteral("O'Brien 50 杯");
    const QString third = QStringLiteral("茶杯");
    store->addOrder(first, 2, 1, 5, QStringLiteral("a%b"), QStringLiteral("K_1"), today,
                    QStringLiteral("[x]易碎"));
    store->addOrder(second, 2, 3, 5, QStringLiteral("axb"), QStringLiteral("KX1"), today,
                    QStringLiteral("x易碎"));
    store->addOrder(third, 2, 2, 4, QStringLiteral("丙"), QStringLiteral("K3"), today);
    mainwindow::MainWindow* form = shownForm();
    ASSERT_EQ(form->orderGrid->Rows(), 4);
    QTest::mouseClick(form->keywordBox, Qt::LeftButton);
    EXPECT_EQ(form->keywordBox->text(), QString()); // a click empties the box
    form->fieldList->setCurrentText(QStringLiteral("商品名称"));
    QTest::keyClicks(form->keywordBox, QStringLiteral("O'Brien 5%_[x]"));
    QTest::mouseClick(form->queryButton, Qt::LeftButton);
    EXPECT_EQ(names(form), QStringList{first});
    EXPECT_EQ(form->salesTotal->text(), QStringLiteral("5 元"));

    const QStringList all = {third, second, first};
    const struct
    {
        QString field;
        QString keyword;
        QStringList listed;
    } cases[] = {
        {QStringLiteral("买家呢称"), QStringLiteral("a%b"), {first}},
        {QStringLiteral("快递单号"), QStringLiteral("K_1"), {first}},
        {QStringLiteral("备注"), QStringLiteral("[x]易碎"), {first}},
        {QStringLiteral("备注"), QStringLiteral("易碎"), {second, first}},
        // No field chosen: the keyword is searched in the goods name, the buyer, the waybill and the remark.
        {QStringLiteral("请选择类别"), QStringLiteral("O'Brien"), {second, first}},
        {QStringLiteral("请选择类别"), QStringLiteral("丙"), {third}},
        {QStringLiteral("请选择类别"), QStringLiteral("Ｋ＿１"), {first}}, // full-width forms as ASCII
        {QStringLiteral("请选择类别"), QStringLiteral("[x]"), {first}},
        {QStringLiteral("请选择类别"), QStringLiteral("碎"), {second, first}},
        {QStringLiteral("请选择类别"), QStringLiteral("请输入关键字"), all},
        {QStringLiteral("商品名称"), QStringLiteral("请输入关键字"), all},
        {QStringLiteral("商品名称"), QString(), all},
        {QStringLiteral("商品名称"), QStringLiteral("o'brien"), {second, first}}, // letters in either case
    };
    for (const auto& c : cases) {
        form->fieldList->setCurrentText(c.field);
        form->keywordBox->setText(c.keyword);
        QTest::mouseClick(form->queryButton, Qt::LeftButton);
        EXPECT_EQ(names(form), c.listed) << c.field.toStdString() << " " << c.keyword.toStdString();
        EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("%1 条").arg(c.listed.size()));
    }
    EXPECT_EQ(form->piecesTotal->text(), QStringLiteral("4 件"));
    EXPECT_EQ(form->profitTotal->text(), QStringLiteral("12 元"));
    EXPECT_EQ(store->count(), 3); // nothing changed by the quote

    // Every click into the box empties it, also with a typed keyword.
    form->keywordBox->setText(QStringLiteral("abc"));
    QTest::mouseClick(form->keywordBox, Qt::LeftButton);
    EXPECT_EQ(form->keywordBox->text(), QString());
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

TEST_F(FilterTest, TheCalendarWritesTheTaggedBoxAndHides)
{
    mainwindow::MainWindow* form = shownForm();
    ui::MonthView* calendar = form->calendar;
    const QString today = store::textforms::dateText(QDate::currentDate());
    store->addOrder(QStringLiteral("今天"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                    QDate::currentDate().toString(Qt::ISODate));

    // The date boxes take a click but no typing.
    QTest::keyClicks(form->startDateBox, QStringLiteral("2020"));
    EXPECT_EQ(form->startDateBox->text(), today);

    QTest::mouseClick(form->startDateBox, Qt::LeftButton);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->Tag, QStringLiteral("startdate"));
    // Clicking the other box while it is open only changes the target.
    QTest::mouseClick(form->endDateBox, Qt::LeftButton);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->Tag, QStringLiteral("enddate"));

    clickDay(calendar, 15);
    const QDate picked(QDate::currentDate().year(), QDate::currentDate().month(), 15);
    EXPECT_EQ(calendar->Value(), picked);
    EXPECT_EQ(form->endDateBox->text(), store::textforms::dateText(picked));
    EXPECT_EQ(form->startDateBox->text(), today);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form->endDateBox);

    // It opens again on the day last picked, and writes the start box this time.
    calendar->setCurrentPage(2011, 3);
    QTest::mouseClick(form->startDateBox, Qt::LeftButton);
    EXPECT_EQ(calendar->Value(), picked);
    calendar->showSelectedDate();
    clickDay(calendar, 15);
    EXPECT_EQ(form->startDateBox->text(), store::textforms::dateText(picked));
    EXPECT_EQ(QApplication::focusWidget(), form->startDateBox);
    EXPECT_EQ(form->orderGrid->Rows(), 1); // picking does not list today's order
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

TEST_F(FilterTest, TheKeyboardOpensTheCalendarPicksADayAndEscapeClosesIt)
{
    mainwindow::MainWindow* form = shownForm();
    ui::MonthView* calendar = form->calendar;
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
    for (QLineEdit* box : {form->startDateBox, form->endDateBox}) {
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
        QTest::keyClick(form->endDateBox, k.key, k.mods);
        EXPECT_FALSE(calendar->isVisible());
    }

    // A keyboard-only pick: open, move a day with the arrows, Enter.
    form->endDateBox->setFocus();
    QTest::keyClick(form->endDateBox, Qt::Key_F4);
    ASSERT_TRUE(calendar->isVisible());
    const QDate start = calendar->Value();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(form->endDateBox->text(), store::textforms::dateText(start.addDays(1)));
    EXPECT_EQ(form->startDateBox->text(), today);
    EXPECT_EQ(QApplication::focusWidget(), form->endDateBox);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

TEST_F(FilterTest, EnterOnAFocusedButtonPressesIt)
{
    store->addOrder(QStringLiteral("上周的"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                    QDate::currentDate().addDays(-7).toString(Qt::ISODate));
    mainwindow::MainWindow* form = shownForm();
    ASSERT_EQ(form->orderGrid->Rows(), 1);
    form->allOrdersButton->setFocus();
    QTest::keyClick(form->allOrdersButton, Qt::Key_Return);
    EXPECT_EQ(form->orderGrid->Rows(), 2);
    form->queryButton->setFocus();
    QTest::keyClick(form->queryButton, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    // Enter in the keyword box still presses nothing.
    form->keywordBox->setFocus();
    QTest::keyClick(form->keywordBox, Qt::Key_Return);
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

} // namespace
