#include "EntryFixture.h"

#include "entry/EntryTexts.h"

#include <QApplication>

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
        EXPECT_EQ(host.cxtjCalls + host.ddlistCalls, 0);
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
    expectRefused("Command1", needSpname, "spname");
    type("spname", QStringLiteral("茶杯"));
    expectRefused("Command1", needSl, "sl");
    type("sl", QStringLiteral("abc"));
    expectRefused("Command1", slNotNumber, "sl");
    type("sl", QStringLiteral("2"));
    expectRefused("Command1", needJj, "jj");
    type("jj", QStringLiteral("x1"));
    expectRefused("Command1", jjNotNumber, "jj");
    type("jj", QStringLiteral("1"));
    expectRefused("Command1", needSj, "sj");
    type("sj", QStringLiteral("1..2"));
    expectRefused("Command1", sjNotNumber, "sj");
    type("sj", QStringLiteral("3"));
    expectRefused("Command1", needMjzh, "mjzh");
    type("mjzh", QStringLiteral(" ")); // a blank is not empty
    expectRefused("Command1", needKddh, "kddh");
    type("kddh", QStringLiteral("SF1"));
    expectRefused("Command1", needXsdate, "xsdate");

    // Save and start a new order runs the same check.
    expectRefused("Command3", needXsdate, "xsdate");
    type("spname", QString());
    expectRefused("Command3", needSpname, "spname");

    // A later failure never hides an earlier one: an empty quantity is step 2, not step 3.
    type("spname", QStringLiteral("茶杯"));
    type("sl", QString());
    type("jj", QStringLiteral("abc"));
    expectRefused("Command1", needSl, "sl");

    // A date before the calendar's first year ("0026" typed for 2026) fails as an empty one does.
    type("sl", QStringLiteral("2"));
    type("jj", QStringLiteral("1"));
    type("xsdate", QStringLiteral("0026/12/9"));
    expectRefused("Command1", needXsdate, "xsdate");
    type("xsdate", QStringLiteral("1752/12/31"));
    expectRefused("Command3", needXsdate, "xsdate");
}

TEST_F(EntryCheckTest, NumberBoxesTakeWhatTheLocaleReadsAsANumber)
{
    struct Box
    {
        const char* name;
        QString needMessage;
        QString notNumberMessage;
    };
    const Box boxes[] = {
        {"sl", needSl, slNotNumber}, {"jj", needJj, jjNotNumber}, {"sj", needSj, sjNotNumber}};
    struct Form
    {
        QString typed;
        double stored;
    };
    const Form accepted[] = {{QStringLiteral(" 5 "), 5},
                             {QStringLiteral("1.5"), 1.5},
                             {QStringLiteral("0"), 0},
                             {QStringLiteral("-2"), -2},
                             {QStringLiteral("1,000"), 1000},
                             {QStringLiteral("1e3"), 1000},
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
        for (const Form& f : accepted) {
            typeOrder();
            type(box.name, f.typed);
            click("Command3");
            ++rows;
            ASSERT_EQ(store->count(), rows) << box.name << " " << qPrintable(f.typed);
            EXPECT_DOUBLE_EQ(store->cell(rows, QString::fromLatin1(box.name)).toDouble(), f.stored)
                << box.name << " " << qPrintable(f.typed);
        }
    }
    EXPECT_EQ(messages(), QStringList(rows, saved));
}
