#include "EntryFixture.h"

#include "entry/EntryTexts.h"
#include "store/StoreError.h"
#include "ui/MonthView.h"

#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

using namespace entry::texts;

namespace {

class EntrySaveTest : public EntryTest
{
protected:
    QString cell(qint64 id, const char* column) const { return store->cell(id, QString::fromLatin1(column)); }
    double number(qint64 id, const char* column) const { return cell(id, column).toDouble(); }
};

// Holds the data file locked against writers for as long as it lives.
class WriteLock
{
public:
    explicit WriteLock(const QString& path)
    {
        sqlite3_open(path.toUtf8().constData(), &m_db);
        sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~WriteLock()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace

TEST_F(EntrySaveTest, AddThenEditThenSaveAgainKeepsOneOrderWithTheNewValues)
{
    open();
    EXPECT_FALSE(form->editMode());
    typeOrder();
    click("Command1");
    EXPECT_EQ(messages(), QStringList{saved});
    EXPECT_EQ(ui::msgbox_seam::shown().front().flags, ui::MB_OK_EXCLAMATION);
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ASSERT_EQ(store->count(), 1);
    const qint64 id = 1;
    EXPECT_EQ(cell(id, "spname"), QStringLiteral("茶杯"));
    EXPECT_DOUBLE_EQ(number(id, "sl"), 2);
    EXPECT_DOUBLE_EQ(number(id, "jj"), 10.5);
    EXPECT_DOUBLE_EQ(number(id, "sj"), 18);
    EXPECT_EQ(cell(id, "mjzh"), QStringLiteral("buyer01"));
    EXPECT_EQ(cell(id, "kddh"), QStringLiteral("SF1000"));
    EXPECT_EQ(cell(id, "bz"), QStringLiteral("送货上门"));
    EXPECT_EQ(host().refreshes, 1);

    // Edit: the stored values come back in the boxes as the windows show them.
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    open(id);
    EXPECT_TRUE(form->editMode());
    EXPECT_EQ(text("spname"), QStringLiteral("茶杯"));
    EXPECT_EQ(text("sl"), QStringLiteral("2"));
    EXPECT_EQ(text("jj"), QStringLiteral("10.5"));
    EXPECT_EQ(text("sj"), QStringLiteral("18"));
    EXPECT_EQ(text("mjzh"), QStringLiteral("buyer01"));
    EXPECT_EQ(text("kddh"), QStringLiteral("SF1000"));
    EXPECT_EQ(text("xsdate"), QStringLiteral("2026/12/1"));
    EXPECT_EQ(text("bz"), QStringLiteral("送货上门"));
    type("sj", QStringLiteral("20"));
    type("xsdate", QStringLiteral("2026/11/30"));
    click("Command1");
    EXPECT_EQ(messages(), QStringList{saved});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(store->count(), 1);
    EXPECT_DOUBLE_EQ(number(id, "sj"), 20);
    EXPECT_EQ(cell(id, "spname"), QStringLiteral("茶杯"));

    // Saving again without a change still writes the order and confirms.
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    open(id);
    EXPECT_EQ(text("xsdate"), QStringLiteral("2026/11/30"));
    click("Command1");
    EXPECT_EQ(messages(), QStringList{saved});
    EXPECT_EQ(store->count(), 1);
    EXPECT_DOUBLE_EQ(number(id, "sj"), 20);
    EXPECT_EQ(cell(id, "kddh"), QStringLiteral("SF1000"));
}

TEST_F(EntrySaveTest, SaveAndNewTwiceGivesTwoOrdersOneMessageEachAndAnEmptyForm)
{
    open();
    auto* calendar = find<ui::MonthView>("MonthView1");
    typeOrder(QStringLiteral("第一件"));
    QTest::mouseClick(find("xsdate"), Qt::LeftButton); // the calendar is open while saving
    ASSERT_TRUE(calendar->isVisible());
    find("kddh")->setFocus();
    click("Command3");
    EXPECT_EQ(messages(), QStringList{saved});
    typeOrder(QStringLiteral("第二件"));
    click("Command3");
    EXPECT_EQ(messages(), (QStringList{saved, saved}));

    EXPECT_EQ(store->count(), 2);
    EXPECT_EQ(cell(1, "spname"), QStringLiteral("第一件"));
    EXPECT_EQ(cell(2, "spname"), QStringLiteral("第二件"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->editMode());
    for (const char* box : {"spname", "sl", "jj", "sj", "mjzh", "kddh", "bz"}) {
        EXPECT_TRUE(text(box).isEmpty()) << box;
    }
    EXPECT_EQ(text("xsdate"), today());
    EXPECT_TRUE(calendar->isVisible()); // left as it was
    EXPECT_EQ(host().refreshes, 2);
}

TEST_F(EntrySaveTest, RemarksNullShownAsABlankAndSavedAsABlankEmptyStaysEmpty)
{
    const qint64 nullRemark = store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"),
                                              QStringLiteral("k"), QStringLiteral("2026-12-01"));
    open(nullRemark);
    EXPECT_EQ(text("bz"), QStringLiteral(" "));
    click("Command1");
    EXPECT_EQ(cell(nullRemark, "bz"), QStringLiteral(" "));

    const qint64 emptyRemark =
        store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"), QStringLiteral("k"),
                        QStringLiteral("2026-12-01"), QStringLiteral(""));
    open(emptyRemark);
    EXPECT_EQ(text("bz"), QString());

    open();
    typeOrder();
    type("bz", QString());
    click("Command1");
    const QString stored = cell(3, "bz");
    EXPECT_FALSE(stored.isNull());
    EXPECT_TRUE(stored.isEmpty());
}

TEST_F(EntrySaveTest, TheListIsRefreshedOnceAfterTheConfirmationWhileTheWindowIsOpen)
{
    // Save and start a new order refreshes after the form was cleared; save and close before it closes.
    bool openDuringRefresh = false;
    QString goodsDuringRefresh = QStringLiteral("(unset)");
    qsizetype messagesBeforeRefresh = -1;
    host().onRefresh = [&] {
        openDuringRefresh = form->isVisible();
        goodsDuringRefresh = text("spname");
        messagesBeforeRefresh = ui::msgbox_seam::shown().size();
    };
    open();
    typeOrder();
    click("Command3");
    EXPECT_EQ(host().refreshes, 1);
    EXPECT_TRUE(openDuringRefresh);
    EXPECT_TRUE(goodsDuringRefresh.isEmpty());
    EXPECT_EQ(messagesBeforeRefresh, 1);
    typeOrder();
    click("Command1");
    EXPECT_EQ(host().refreshes, 2);
    EXPECT_TRUE(openDuringRefresh);
    EXPECT_EQ(goodsDuringRefresh, QStringLiteral("茶杯"));
    EXPECT_EQ(messagesBeforeRefresh, 2);
}

TEST_F(EntrySaveTest, TextsAreStoredExactlyAsTyped)
{
    const QString spname = QStringLiteral("O'Brien's \"杯\" #1 100% %1 %2 [x] _");
    const QString mjzh = QStringLiteral("a''b");
    const QString kddh = QStringLiteral("'); DROP TABLE ddlist; --");
    const QString bz = QStringLiteral("笑 😀 '#' %1%9 100%");
    open();
    typeOrder();
    type("spname", spname);
    type("mjzh", mjzh);
    type("kddh", kddh);
    type("bz", bz);
    click("Command1");
    EXPECT_EQ(messages(), QStringList{saved});
    ASSERT_EQ(store->count(), 1);
    EXPECT_EQ(cell(1, "spname"), spname);
    EXPECT_EQ(cell(1, "mjzh"), mjzh);
    EXPECT_EQ(cell(1, "kddh"), kddh);
    EXPECT_EQ(cell(1, "bz"), bz);

    // And back through an edit and an update.
    open(1);
    EXPECT_EQ(text("spname"), spname);
    EXPECT_EQ(text("kddh"), kddh);
    EXPECT_EQ(text("bz"), bz);
    click("Command1");
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(cell(1, "spname"), spname);
    EXPECT_EQ(cell(1, "bz"), bz);

    // A long pasted remark is stored whole.
    const QString longRemark = QString(40000, u'备');
    open(1);
    find("bz")->setText(longRemark);
    click("Command1");
    EXPECT_EQ(cell(1, "bz"), longRemark);
}

TEST_F(EntrySaveTest, ARefusedSaveKeepsTheWindowAndEveryBoxAndWritesNothing)
{
    open();
    typeOrder(QStringLiteral("茶杯"), QStringLiteral("明天"));
    const QString typedRemark = text("bz");
    click("Command3");
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().front().text, saleDateForm(today()));
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
    EXPECT_EQ(store->count(), 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(text("spname"), QStringLiteral("茶杯")); // not cleared
    EXPECT_EQ(text("xsdate"), QStringLiteral("明天"));
    EXPECT_EQ(text("bz"), typedRemark);
    EXPECT_EQ(host().refreshes, 0);

    click("Command1");
    EXPECT_EQ(messages().size(), 2);
    EXPECT_FALSE(messages().contains(saved));
    EXPECT_TRUE(form->isVisible());

    // Corrected, the same window saves.
    type("xsdate", QStringLiteral("2026/12/2"));
    click("Command1");
    EXPECT_EQ(messages().last(), saved);
    EXPECT_EQ(store->count(), 1);
}

TEST_F(EntrySaveTest, ALockedOrMissingFileIsToldAndNothingIsWritten)
{
    open();
    typeOrder();
    {
        WriteLock lock(store->dataFile());
        click("Command1");
    }
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().startsWith(saveRefused));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(store->count(), 0);

    ASSERT_TRUE(QFile::remove(store->dataFile()));
    click("Command3");
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().startsWith(saveRefused));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(text("spname"), QStringLiteral("茶杯"));
    EXPECT_FALSE(QFile::exists(store->dataFile())); // the save never makes a new file
}

TEST_F(EntrySaveTest, AnUpdateWhoseOrderIsGoneIsNotConfirmed)
{
    const qint64 id = store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"), QStringLiteral("k"),
                                      QStringLiteral("2026-12-01"));
    open(id);
    store->exec(QStringLiteral("DELETE FROM ddlist"));
    click("Command1");
    EXPECT_EQ(messages(), QStringList{orderGone});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(store->count(), 0);
    EXPECT_EQ(host().refreshes, 0);
}

TEST_F(EntrySaveTest, AnEditIdThatNamesNoStoredOrderOpensAddMode)
{
    const qint64 id = store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"), QStringLiteral("k"),
                                      QStringLiteral("2026-12-01"));
    for (const qint64 absent : {id + 1, qint64(0), qint64(-1)}) {
        open(absent);
        EXPECT_FALSE(form->editMode()) << absent;
        EXPECT_EQ(form->windowTitle(), addTitle);
        EXPECT_TRUE(find<QPushButton>("Command3")->isVisible());
        EXPECT_TRUE(text("spname").isEmpty());
        EXPECT_EQ(text("xsdate"), today());
    }
    typeOrder();
    click("Command1");
    EXPECT_EQ(store->count(), 2); // a new order; the stored one is untouched
    EXPECT_EQ(store->cell(id, QStringLiteral("spname")), QStringLiteral("杯"));
}

TEST_F(EntrySaveTest, AFailedRefreshAfterASaveIsToldAndTheOrderStaysSaved)
{
    host().onRefresh = [] {
        throw store::StoreError(store::StoreError::Kind::Locked, QStringLiteral("文件被占用"));
    };
    open();
    typeOrder();
    click("Command1");
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages().front(), saved);
    EXPECT_EQ(messages().last(), refreshFailed + QStringLiteral("文件被占用"));
    EXPECT_EQ(store->count(), 1);
    EXPECT_FALSE(form->isVisible()); // saved, so a second press cannot store it twice

    // Any other failure of the refresh is told the same way; the window still goes on.
    host().onRefresh = [] { throw std::length_error("too many orders"); };
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    open();
    typeOrder();
    click("Command3");
    EXPECT_EQ(messages(), (QStringList{saved, refreshFailed + unexpectedCause}));
    EXPECT_EQ(store->count(), 2);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(text("spname").isEmpty()); // cleared for the next order
}
