#include "entry/EntryWindow.h"
#include "entry/OpenEntryWindow.h"
#include "mainwindow/ShownMainWindow.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The save's refresh through the real main window: by the filter, or every order once they are all shown.
class EntryRefreshTest : public testsupport::GuiTest
{
protected:
    mainwindow::MainWindow* form = nullptr;

    void SetUp() override
    {
        GuiTest::SetUp();
        form = shownMainWindow();
    }
    void TearDown() override
    {
        entry::entry_seam::reset();
        GuiTest::TearDown();
    }

    // Records one order dated xsdate through the new order button and the entry window's save-and-close.
    void recordOrder(const QString& spname, const QString& xsdate)
    {
        entry::entry_seam::setShownHook([&](entry::EntryWindow& w) {
            const auto set = [&w](const char* name, const QString& text) {
                w.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
            };
            set("spname", spname);
            set("sl", QStringLiteral("1"));
            set("jj", QStringLiteral("2"));
            set("sj", QStringLiteral("3"));
            set("mjzh", QStringLiteral("甲"));
            set("kddh", QStringLiteral("SF1"));
            set("xsdate", xsdate);
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        });
        QTest::mouseClick(form->newOrderButton, Qt::LeftButton);
    }

    QStringList listedNames() const
    {
        QStringList names;
        for (int r = 1; r < form->orderGrid->Rows(); ++r) {
            names << form->orderGrid->TextMatrix(r, 1);
        }
        return names;
    }
};

} // namespace

TEST_F(EntryRefreshTest, AnOrderOutsideTheFilterIsStoredButListedOnlyWhenAllAreShown)
{
    recordOrder(QStringLiteral("今天的"), form->startDateBox->text());
    recordOrder(QStringLiteral("很久以前的"), QStringLiteral("2001/1/1"));
    EXPECT_EQ(store->count(), 2);
    EXPECT_EQ(listedNames(), QStringList{QStringLiteral("今天的")});

    QTest::mouseClick(form->allOrdersButton, Qt::LeftButton);
    recordOrder(QStringLiteral("又一个旧的"), QStringLiteral("2001/1/2"));
    EXPECT_EQ(store->count(), 3);
    EXPECT_EQ(listedNames(), (QStringList{QStringLiteral("又一个旧的"), QStringLiteral("很久以前的"),
                                          QStringLiteral("今天的")}));
    EXPECT_EQ(form->selectedOrderId(), 3);
}
