#include "EntryFixture.h"

#include "entry/EntryTexts.h"

#include <QApplication>
#include <QtTest>

using namespace entry::texts;

namespace {

class EntryCheckTest : public EntryTest
{
protected:
    // Presses a save button and expects exactly one message box with text, nothing stored, the focus in
    // the named box and every box as it was.
    void expectRefused(const char* button, const QString& message, const char* focus)
    {
        const QStringList before = boxTexts();
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        click(button);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1) << qPrintable(message);
        const auto& shown = ui::msgbox_seam::shown().front();
        EXPECT_EQ(shown.text, message);
        EXPECT_EQ(shown.flags, ui::MB_OK_EXCLAMATION);
        EXPECT_EQ(shown.title, QStringLiteral("提示"));
        ASSERT_NE(form->focusWidget(), nullptr);
        EXPECT_EQ(form->focusWidget()->objectName(), QString::fromLatin1(focus)) << qPrintable(message);
        EXPECT_EQ(store->count(), 0);
        EXPECT_EQ(boxTexts(), before);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(host().refreshes, 0);
    }

    QStringList boxTexts() const
    {
        QStringList texts;
        for (const char* name : {"spname", "sl", "jj", "sj", "mjzh", "kddh", "xsdate", "bz"}) {
            texts << text(name);
        }
        return texts;
    }
};

} // namespace

TEST_F(EntryCheckTest, TenStepsInOrderFirstFailureWinsWithItsMessageAndFocus)
{
    open();
    type("xsdate", QString());
    // Each line fills one more box (or mends one) and the check then stops at the next step.
    expectRefused("Command1", needGoods, "spname");
    type("spname", QStringLiteral("茶杯"));
    expectRefused("Command1", needQuantity, "sl");
    type("sl", QStringLiteral("abc"));
    expectRefused("Command1", quantityNotNumber, "sl");
    type("sl", QStringLiteral("2"));
    expectRefused("Command1", needPurchasePrice, "jj");
    type("jj", QStringLiteral("x1"));
    expectRefused("Command1", purchasePriceNotNumber, "jj");
    type("jj", QStringLiteral("1"));
    expectRefused("Command1", needSellingPrice, "sj");
    type("sj", QStringLiteral("1..2"));
    expectRefused("Command1", sellingPriceNotNumber, "sj");
    type("sj", QStringLiteral("3"));
    expectRefused("Command1", needBuyer, "mjzh");
    type("mjzh", QStringLiteral(" ")); // a blank is not empty
    expectRefused("Command1", needWaybill, "kddh");
    type("kddh", QStringLiteral("SF1"));
    expectRefused("Command1", needSaleDate, "xsdate");

    // Save and start a new order runs the same check.
    expectRefused("Command3", needSaleDate, "xsdate");
    type("spname", QString());
    expectRefused("Command3", needGoods, "spname");

    // A later failure never hides an earlier one: an empty quantity is step 2, not step 3.
    type("spname", QStringLiteral("茶杯"));
    type("sl", QString());
    type("jj", QStringLiteral("abc"));
    expectRefused("Command1", needQuantity, "sl");

    // A text that is no date, or a date outside the calendar's years ("0026" typed for 2026), is told the
    // form to use, today as its example.
    type("sl", QStringLiteral("2"));
    type("jj", QStringLiteral("1"));
    for (const char* typed : {"0026/12/9", "1752/12/31", "2026/13/1", "12/4", " "}) {
        type("xsdate", QString::fromLatin1(typed));
        expectRefused("Command1", saleDateForm(today()), "xsdate");
    }
    type("xsdate", QStringLiteral("明天"));
    expectRefused("Command3", QStringLiteral("请按 %1 的格式输入销售日期！！").arg(today()), "xsdate");
}

TEST_F(EntryCheckTest, TheDateOfSaleReadsAsTheSellerWritesIt)
{
    open();
    ui::msgbox_seam::arm();
    const QString typed[] = {QStringLiteral("2026年12月4日"), QStringLiteral("2026.12.4"),
                             QStringLiteral("2026-12-4"), QStringLiteral("２０２６／１２／４")};
    for (const QString& date : typed) {
        typeOrder(QStringLiteral("茶杯"), date);
        click("Command3");
    }
    EXPECT_EQ(messages(), QStringList(std::size(typed), saved));
    for (qint64 id = 1; id <= qint64(std::size(typed)); ++id) {
        EXPECT_EQ(host().store.load(id)->saleDate, QDate(2026, 12, 4)) << id;
    }
}

TEST_F(EntryCheckTest, F4OrAltDownInTheDateBoxOpensTheCalendarAndSpaceTypes)
{
    open();
    auto* calendar = find<QWidget>("MonthView1");
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool opens;
    } keys[] = {{Qt::Key_F4, Qt::NoModifier, true},
                {Qt::Key_Down, Qt::AltModifier, true},
                {Qt::Key_Space, Qt::NoModifier, false},
                {Qt::Key_Down, Qt::NoModifier, false}};
    for (const auto& k : keys) {
        calendar->setVisible(false);
        type("xsdate", QStringLiteral("2026/12/"));
        find("xsdate")->setFocus();
        QTest::keyClick(find("xsdate"), k.key, k.modifiers);
        EXPECT_EQ(calendar->isVisible(), k.opens) << k.key;
        EXPECT_EQ(calendar->isAncestorOf(form->focusWidget()), k.opens) << k.key;
        EXPECT_EQ(text("xsdate"),
                  k.key == Qt::Key_Space ? QStringLiteral("2026/12/ ") : QStringLiteral("2026/12/"));
    }
    // From the keyboard, Enter picks the day and typing goes on in the date box.
    QTest::keyClick(find("xsdate"), Qt::Key_F4);
    QTest::keyClick(form->focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(form->focusWidget(), find("xsdate"));
}

TEST_F(EntryCheckTest, NumberBoxesStoreTheNumberTheLocaleReads)
{
    struct Box
    {
        const char* name;
        QString needMessage;
        QString notNumberMessage;
        store::Number store::Order::*stored;
    };
    const Box boxes[] = {{"sl", needQuantity, quantityNotNumber, &store::Order::quantity},
                         {"jj", needPurchasePrice, purchasePriceNotNumber, &store::Order::purchasePrice},
                         {"sj", needSellingPrice, sellingPriceNotNumber, &store::Order::sellingPrice}};
    // What is typed and the double stored for it, bit for bit.
    const std::pair<QString, double> accepted[] = {{QStringLiteral(" 3 "), 3},
                                                   {QStringLiteral("1.5"), 1.5},
                                                   {QStringLiteral("0"), 0},
                                                   {QStringLiteral("-2"), -2},
                                                   {QStringLiteral("1,234.5"), 1234.5},
                                                   {QStringLiteral("1e3"), 1000},
                                                   {QStringLiteral("0.1"), 0.1},
                                                   // as a Chinese input method types them in full-width mode
                                                   {QStringLiteral("１２"), 12},
                                                   {QStringLiteral("１９．９"), 19.9},
                                                   {QStringLiteral("－５"), -5}};
    open();
    for (const Box& box : boxes) {
        typeOrder();
        type(box.name, QStringLiteral("abc"));
        expectRefused("Command3", box.notNumberMessage, box.name);
        type(box.name, QString());
        expectRefused("Command3", box.needMessage, box.name);
    }
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    qint64 rows = 0;
    for (const Box& box : boxes) {
        for (const auto& [typed, value] : accepted) {
            typeOrder();
            type(box.name, typed);
            click("Command3");
            ++rows;
            ASSERT_EQ(store->count(), rows) << box.name << " " << qPrintable(typed);
            const std::optional<store::Order> order = host().store.load(rows);
            ASSERT_TRUE(order);
            EXPECT_EQ((*order.*box.stored).stored(), value) << box.name << " " << qPrintable(typed);
            EXPECT_EQ(store->cell(rows, QStringLiteral("typeof(%1)").arg(QLatin1String(box.name))),
                      QStringLiteral("real"));
        }
    }
    EXPECT_EQ(messages(), QStringList(rows, saved));
}
