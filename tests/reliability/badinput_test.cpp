// Whatever a seller pastes into the boxes is stored exactly as the box holds it and never changes what a
// statement does; numbers and dates that cannot be read are refused; the other orders are never touched.
#include "entry/EntryWindow.h"
#include "mainwindow/MainWindow.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

namespace {

// Every row, every column, as SQLite holds it.
QByteArray dump(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM ddlist ORDER BY id", -1, &st, nullptr);
    QByteArray all;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            all += QByteArray::number(sqlite3_column_type(st, i)) + ':';
            all += QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, i)),
                              sqlite3_column_bytes(st, i));
            all += '\x1f';
        }
        all += '\x1e';
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return all;
}

// The bytes of one text cell.
QByteArray rawCell(const QString& path, qint64 id, const char* column)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QByteArray("SELECT ") + column + " FROM ddlist WHERE id=" + QByteArray::number(id);
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    QByteArray value("<no row>");
    if (sqlite3_step(st) == SQLITE_ROW) {
        value = QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, 0)),
                           sqlite3_column_bytes(st, 0));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
}

const QStringList nastyTexts = {
    QStringLiteral("O'Brien's \"best\" #1 100% a_b [x] C:\\path\\"),
    QStringLiteral("'); DROP TABLE ddlist; --"),
    QStringLiteral("' OR '1'='1"),
    QStringLiteral("#2026/1/1# and 1=1"),
    QString(QChar(0)) + QStringLiteral("nul\x01\x02\x1b[0m bell\x07"),
    QStringLiteral("tab\tand\nline\r\nbreaks"),
    QStringLiteral("中文备注，全角标点！！（测试）"),
    QStringLiteral("emoji 📦🚚😀 and a lone surrogate-free ZWJ 👨‍👩‍👧"),
    QStringLiteral("%_[%][_][[]"),
    QStringLiteral("x").repeated(100000),
};

class BadInputTest : public testsupport::GuiTest
{
protected:
    void SetUp() override
    {
        testsupport::GuiTest::SetUp();
        // Orders that must come through untouched.
        store->addOrder(QStringLiteral("别人的定单"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("KD-A"),
                        QDate::currentDate().toString(Qt::ISODate));
        store->addOrder(QStringLiteral("another"), 3, 4, 5, QStringLiteral("乙"), QStringLiteral("KD-B"),
                        QDate::currentDate().toString(Qt::ISODate), QStringLiteral("remark"));
        form = std::make_unique<mainwindow::MainWindow>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(ui::msgbox_seam::shown().isEmpty());
    }
    void TearDown() override
    {
        form.reset();
        testsupport::GuiTest::TearDown();
    }

    QLineEdit* box(QWidget& w, const char* name)
    {
        return w.findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    // Pastes text into a box the way a user does: clipboard and Ctrl+V.
    void paste(QLineEdit* target, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }

    std::unique_ptr<mainwindow::MainWindow> form;
};

TEST_F(BadInputTest, PastedTextsAreStoredByteForByteAndTouchNothingElse)
{
    const QByteArray othersBefore = dump(store->dataFile());
    qint64 id = 2;
    for (const QString& text : nastyTexts) {
        SCOPED_TRACE(text.left(40).toStdString());
        entry::EntryWindow window(*form, std::nullopt, form.get());
        window.load();
        window.show();
        for (const char* name : {"spname", "mjzh", "kddh", "bz"}) {
            paste(box(window, name), text);
            ASSERT_FALSE(box(window, name)->text().isEmpty());
        }
        box(window, "sl")->setText(QStringLiteral("1"));
        box(window, "jj")->setText(QStringLiteral("2"));
        box(window, "sj")->setText(QStringLiteral("3"));
        const QString shown = box(window, "bz")->text();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        ASSERT_EQ(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!"));
        ++id;
        for (const char* column : {"spname", "mjzh", "kddh", "bz"}) {
            EXPECT_EQ(rawCell(store->dataFile(), id, column), shown.toUtf8()) << column;
        }
        // What Qt keeps of a paste is the box's business; a plain typed-in text arrives unchanged.
        if (!text.contains(QLatin1Char('\n'))) {
            EXPECT_EQ(shown, text);
        }
    }
    EXPECT_TRUE(dump(store->dataFile()).startsWith(othersBefore)) << "an earlier order was changed";
    EXPECT_EQ(store->count(), 2 + nastyTexts.size());
}

TEST_F(BadInputTest, UnreadableNumbersAndDatesAreRefusedAndNothingIsWritten)
{
    const QByteArray before = dump(store->dataFile());
    const QStringList badDates = {
        QStringLiteral("2026/13/45"), QStringLiteral("2026/2/30"), QStringLiteral("明天"),
        QStringLiteral("2026/1/1#; DROP TABLE ddlist"), QStringLiteral("'"), QStringLiteral(" "),
        // Days the calendar cannot show, "0026" typed for 2026: refused with the date message.
        QStringLiteral("0026/12/9"), QStringLiteral("１７５２／１２／３１")};
    for (const QString& date : badDates) {
        SCOPED_TRACE(date.toStdString());
        entry::EntryWindow window(*form, std::nullopt, form.get());
        window.load();
        window.show();
        box(window, "spname")->setText(QStringLiteral("商品"));
        box(window, "sl")->setText(QStringLiteral("1"));
        box(window, "jj")->setText(QStringLiteral("2"));
        box(window, "sj")->setText(QStringLiteral("3"));
        box(window, "mjzh")->setText(QStringLiteral("买家"));
        box(window, "kddh")->setText(QStringLiteral("KD"));
        box(window, "xsdate")->setText(date);
        const qsizetype shownBefore = ui::msgbox_seam::shown().size();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), shownBefore + 1);
        EXPECT_NE(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!"));
        EXPECT_EQ(ui::msgbox_seam::shown().last().title, QStringLiteral("提示"));
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(box(window, "xsdate")->text(), date);
        EXPECT_EQ(ui::msgbox_seam::shown().last().text,
                  QStringLiteral("请按 %1 的格式输入销售日期！！").arg(store::textforms::dateText(QDate::currentDate())));
    }
    for (const QString& number : {QStringLiteral("1;2"), QStringLiteral("0x10"), QStringLiteral("1e99999"),
                                  QStringLiteral("nan"), QStringLiteral("'1'")}) {
        SCOPED_TRACE(number.toStdString());
        entry::EntryWindow window(*form, std::nullopt, form.get());
        window.load();
        window.show();
        box(window, "spname")->setText(QStringLiteral("商品"));
        box(window, "sl")->setText(number);
        box(window, "jj")->setText(QStringLiteral("2"));
        box(window, "sj")->setText(QStringLiteral("3"));
        box(window, "mjzh")->setText(QStringLiteral("买家"));
        box(window, "kddh")->setText(QStringLiteral("KD"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        EXPECT_NE(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!"));
        EXPECT_EQ(box(window, "sl")->text(), number);
    }
    EXPECT_EQ(dump(store->dataFile()), before) << "a refused save wrote something";
}

TEST_F(BadInputTest, FullWidthNumbersAreStoredAsTheirValues)
{
    entry::EntryWindow window(*form, std::nullopt, form.get());
    window.load();
    window.show();
    paste(box(window, "spname"), QStringLiteral("全角"));
    paste(box(window, "sl"), QStringLiteral("１２"));
    paste(box(window, "jj"), QStringLiteral("１９．９"));
    paste(box(window, "sj"), QStringLiteral("－５"));
    paste(box(window, "mjzh"), QStringLiteral("买家"));
    paste(box(window, "kddh"), QStringLiteral("ＳＦ１"));
    paste(box(window, "xsdate"), QStringLiteral("２０２６／１２／９"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    ASSERT_EQ(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!"));
    const qint64 id = 3;
    EXPECT_EQ(store->cell(id, QStringLiteral("sl")).toDouble(), 12);
    EXPECT_EQ(store->cell(id, QStringLiteral("jj")).toDouble(), 19.9);
    EXPECT_EQ(store->cell(id, QStringLiteral("sj")).toDouble(), -5);
    EXPECT_EQ(store->cell(id, QStringLiteral("xsdate")), QStringLiteral("2026-12-09"));
    EXPECT_EQ(store->cell(id, QStringLiteral("kddh")), QStringLiteral("ＳＦ１")); // texts stay as typed
    // The totals count the order by its values.
    form->allOrdersButton->click();
    EXPECT_EQ(form->piecesTotal->text(), QStringLiteral("17 件"));
}

TEST_F(BadInputTest, KeywordsMatchLiterallyWhateverTheyHold)
{
    for (const QString& text : nastyTexts) {
        store->addOrder(text, 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                        QDate::currentDate().toString(Qt::ISODate));
    }
    const QByteArray before = dump(store->dataFile());
    form->fieldList->setCurrentText(QStringLiteral("商品名称"));
    for (const QString& text : nastyTexts) {
        SCOPED_TRACE(text.left(40).toStdString());
        form->keywordBox->setText(text);
        QTest::mouseClick(form->queryButton, Qt::LeftButton);
        ASSERT_TRUE(ui::msgbox_seam::shown().isEmpty()) << ui::msgbox_seam::shown().last().text.toStdString();
        // Each text matches itself, and "%_[..." also the text that contains it literally, nothing else.
        int expected = 0;
        for (const QString& other : nastyTexts) {
            expected += other.contains(text, Qt::CaseInsensitive) ? 1 : 0;
        }
        EXPECT_EQ(form->orderGrid->Rows() - 1, expected);
        EXPECT_EQ(form->ordersTotal->text(), QString::number(expected) + QStringLiteral(" 条"));
    }
    EXPECT_EQ(dump(store->dataFile()), before);
}

} // namespace
