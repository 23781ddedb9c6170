// A Jet-format data.mdb at start-up: asked about, converted on Yes with every value as the file holds it,
// the original kept byte for byte; No, a damaged file, an ACE file or a crashing helper change nothing.
#include "bench/jetfile.h"
#include "jetimport/HelperRun.h"
#include "mainwindow/MainWindow.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <charconv>

namespace {

const QString fixtures = QStringLiteral(TALLY_JET_FIXTURES);

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The orders every fixture holds (tests/data/jet/README.md); ids 4 and 11 were deleted.
struct Expected
{
    qint64 id;
    const char* spname;
    double jj, sl, sj;
    const char* mjzh;
    const char* kddh;
    const char* xsdate;
    const char* bz; // nullptr: NULL
};
const QString longRemark = QStringLiteral("备注长文本测试");
const Expected orders[] = {
    {1, "连衣裙 夏季新款", 45.50, 2, 89.90, "小王123", "SF1234567890", "2015-03-08", "包邮"},
    {2, "iPhone case", 3.20, 10, 9.90, "buyer_tom", "YT0000000001", "2016-02-29", nullptr},
    {3, "T恤 size XL 白色", 19.99, 1, 15.00, "李四", "ZTO-778899", "1999-12-31", ""},
    {5, "O'Brien \"quoted\", comma", 0.01, 3, 1234567.89, "a,b;c", "'\"", "1899-12-30",
     "line1\r\nline2\ttab"},
    {6, "带时间的日期", 100, 0, 0, "张三", "EMS001", "2020-05-01", "有时间部分 13:45:30"},
    {7, "未来日期", -5.25, 7, 12.5, "王五", "JD0001", "2099-12-31", "emoji 😀 outside BMP"},
    {8, "旧日期", 7, 1, 8, "赵六", "YD", "1900-01-01", "(long)"},
    {9, "2038之后", 999999.99, 32000, 1000000, "Ä ö ü ß é", "€", "2038-01-20", "Latin-1 and € sign"},
    {10, "删除后新增", 2, 1, 3, "m", "k", "2024-06-18", "after delete"},
};

// A Single column holds the float32 nearest to the typed value; its shortest text is what is kept.
double asSingle(double typed)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, static_cast<float>(typed)).ptr;
    return QByteArray(text, int(end - text)).toDouble();
}

class JetStartupTest : public testsupport::GuiTest
{
protected:
    void TearDown() override
    {
        jetimport::setHelperPath(QString());
        GuiTest::TearDown();
    }
    void useFile(const QByteArray& bytes) const
    {
        QFile f(store->dataFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QStringList otherFiles() const
    {
        return QDir(store->folder())
            .entryList(QDir::Files)
            .filter(QRegularExpression(QStringLiteral("^(?!data\\.mdb$)")));
    }
    // Starts the window; returns the messages shown.
    QList<ui::msgbox_seam::Shown> start() const
    {
        mainwindow::MainWindow form;
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return ui::msgbox_seam::shown();
    }
    // Starts the window on bytes that must not be converted: one message naming the file, nothing changed.
    void expectRefused(const QByteArray& bytes, const QString& what)
    {
        useFile(bytes);
        // Without copies of the day: a damaged store with a good backup is offered that instead.
        QDir(QDir(store->folder()).filePath(QStringLiteral("backups"))).removeRecursively();
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        ui::msgbox_seam::setNextAnswer(ui::IDYES);
        mainwindow::MainWindow form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        const auto shown = ui::msgbox_seam::shown();
        ASSERT_FALSE(shown.isEmpty()) << what.toStdString();
        EXPECT_TRUE(shown.last().text.contains(store->dataFile())) << shown.last().text.toStdString();
        EXPECT_EQ(shown.last().title, QStringLiteral("提示"));
        EXPECT_EQ(form.orderGrid->Rows(), 1);
        EXPECT_EQ(readAll(store->dataFile()), bytes) << what.toStdString();
        EXPECT_TRUE(otherFiles().isEmpty())
            << what.toStdString() << " left " << otherFiles().join(u' ').toStdString();
    }
};

TEST_F(JetStartupTest, EveryFixtureConvertsWithEveryValueAndKeepsTheOriginal)
{
    const QStringList files = QDir(fixtures).entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 6);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray original = readAll(QDir(fixtures).filePath(name));
        store = std::make_unique<testsupport::TempStore>();
        useFile(original);
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        ui::msgbox_seam::setNextAnswer(ui::IDYES);
        {
            const auto shown = start();
            ASSERT_EQ(shown.size(), 2);
            EXPECT_EQ(shown[0].flags, ui::MB_YESNO_QUESTION);
            EXPECT_EQ(shown[0].title, QStringLiteral("提示"));
            EXPECT_TRUE(shown[0].text.contains(QStringLiteral("9 条订单"))) << shown[0].text.toStdString();
            EXPECT_TRUE(shown[0].text.contains(QStringLiteral("data-jet-"))) << shown[0].text.toStdString();
            EXPECT_TRUE(shown[1].text.contains(QStringLiteral("转换完成"))) << shown[1].text.toStdString();
            EXPECT_TRUE(shown[1].text.contains(QStringLiteral("1 条订单的销售日期带有时刻")));
        }
        // The original, byte for byte, under its new name; nothing else left behind.
        const QStringList kept = otherFiles();
        ASSERT_EQ(kept.size(), 1) << kept.join(u' ').toStdString();
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^data-jet-\\d{8}-\\d{6}\\.mdb$")).match(kept[0]).hasMatch());
        EXPECT_EQ(readAll(QDir(store->folder()).filePath(kept[0])), original);
        EXPECT_TRUE(readAll(store->dataFile()).startsWith("SQLite format 3"));

        const bool single = name.contains(QStringLiteral("single"));
        EXPECT_EQ(store->count(), 9);
        for (const Expected& e : orders) {
            SCOPED_TRACE(e.id);
            const auto number = [&](const char* column, double typed) {
                EXPECT_EQ(store->cell(e.id, QString::fromLatin1(column)).toDouble(),
                          single ? asSingle(typed) : typed)
                    << column;
            };
            EXPECT_EQ(store->cell(e.id, QStringLiteral("spname")), QString::fromUtf8(e.spname));
            number("jj", e.jj);
            number("sl", e.sl);
            number("sj", e.sj);
            EXPECT_EQ(store->cell(e.id, QStringLiteral("mjzh")), QString::fromUtf8(e.mjzh));
            EXPECT_EQ(store->cell(e.id, QStringLiteral("kddh")), QString::fromUtf8(e.kddh));
            EXPECT_EQ(store->cell(e.id, QStringLiteral("xsdate")), QString::fromUtf8(e.xsdate));
            const QString bz = store->cell(e.id, QStringLiteral("bz"));
            if (!e.bz) {
                EXPECT_TRUE(bz.isNull());
            } else if (e.id == 8) {
                EXPECT_EQ(bz, longRemark.repeated(name.contains(QStringLiteral("memo")) ? 3000 : 25));
            } else {
                EXPECT_FALSE(bz.isNull());
                EXPECT_EQ(bz, QString::fromUtf8(e.bz));
            }
        }
        // The next order continues after the table's autonumber counter (11), not after the highest id (10).
        EXPECT_EQ(store->addOrder(QStringLiteral("新"), 1, 1, 1, QStringLiteral("b"), QStringLiteral("k"),
                                  QStringLiteral("2026-12-09")),
                  12);

        // The next start opens the store as usual: no question, every order listed by the show-all button.
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        mainwindow::MainWindow again;
        again.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
        QTest::mouseClick(again.allOrdersButton, Qt::LeftButton);
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
        EXPECT_EQ(again.orderGrid->Rows(), 11);
        EXPECT_EQ(again.orderGrid->TextMatrix(10, 1), QStringLiteral("连衣裙 夏季新款"));
        // A Single's 89.9 shows as 89.9, not as the digits of its binary value.
        EXPECT_EQ(again.orderGrid->TextMatrix(10, 5), QStringLiteral("89.9"));
        EXPECT_EQ(otherFiles(), kept);
    }
}

TEST_F(JetStartupTest, ALongConversionHasAProgressDialogAndKeepsTheEventLoopTurning)
{
    constexpr int generated = 150000;
    ASSERT_TRUE(benchjet::writeJetFile(store->dataFile(), generated));
    ui::msgbox_seam::setNextAnswer(ui::IDYES);
    int ticks = 0;
    QString progressLabel;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        ++ticks;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            // Qt shows the dialog once the work has taken half a second; it is there from the start.
            if (auto* dialog = qobject_cast<QProgressDialog*>(w);
                dialog && dialog->labelText().startsWith(QStringLiteral("正在转换订单"))) {
                progressLabel = dialog->labelText();
            }
        }
    });
    watch.start(20);
    const auto shown = start();
    watch.stop();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("%1 条订单").arg(generated + 9)));
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("转换完成"))) << shown[1].text.toStdString();
    EXPECT_TRUE(progressLabel.endsWith(QStringLiteral(" / %1）……").arg(generated + 9)))
        << progressLabel.toStdString();
    EXPECT_GT(ticks, 3) << "the event loop stood still during the conversion";
    EXPECT_EQ(store->count(), generated + 9);
    EXPECT_EQ(store->cell(12 + generated - 1, QStringLiteral("kddh")),
              QStringLiteral("SF%1").arg(1000000000 + generated - 1));
    EXPECT_EQ(store->addOrder(QStringLiteral("新"), 1, 1, 1, QStringLiteral("b"), QStringLiteral("k"),
                              QStringLiteral("2026-12-09")),
              12 + generated);
}

TEST_F(JetStartupTest, TableAndColumnNamesMatchWhateverTheirCase)
{
    // The names as another version of the file may spell them: the catalog's and the table definition's
    // UTF-16 names changed in place.
    QByteArray file = readAll(QDir(fixtures).filePath(QStringLiteral("ddlist_currency.mdb")));
    const auto rename = [&](const QString& from, const QString& to) {
        const QByteArray a(reinterpret_cast<const char*>(from.utf16()), from.size() * 2);
        const QByteArray b(reinterpret_cast<const char*>(to.utf16()), to.size() * 2);
        const qsizetype at = file.indexOf(a);
        ASSERT_GE(at, 0) << from.toStdString();
        file.replace(at, b.size(), b);
    };
    rename(QStringLiteral("ddlist"), QStringLiteral("DdList"));
    rename(QStringLiteral("spname"), QStringLiteral("SPNAME"));
    rename(QStringLiteral("bz"), QStringLiteral("Bz"));
    useFile(file);
    ui::msgbox_seam::setNextAnswer(ui::IDYES);
    const auto shown = start();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("转换完成"))) << shown[1].text.toStdString();
    EXPECT_EQ(store->cell(1, QStringLiteral("spname")), QStringLiteral("连衣裙 夏季新款"));
    EXPECT_EQ(store->cell(1, QStringLiteral("bz")), QStringLiteral("包邮"));
}

TEST_F(JetStartupTest, ARowMarkedDeletedStaysDeletedAndACountThatDisagreesIsRefused)
{
    // In the test file the order table's rows are on page 27 and its definition on page 24; order 10 is
    // the tenth row. Jet marks a deleted row by the high bit of its offset (0x8000).
    QByteArray file = readAll(QDir(fixtures).filePath(QStringLiteral("ddlist_currency.mdb")));
    constexpr int rowOffsetOf10 = 27 * 4096 + 0x0c + 2 + 2 * 9;
    constexpr int tableRows = 24 * 4096 + 16;
    ASSERT_EQ(file.mid(rowOffsetOf10, 2), QByteArray("\x21\x0b", 2));
    ASSERT_EQ(file.at(tableRows), 9);
    file[rowOffsetOf10 + 1] = char(0x8b);

    // The table's own count still says 9: something is not as it seems, nothing is changed.
    expectRefused(file, QStringLiteral("count"));
    EXPECT_TRUE(ui::msgbox_seam::shown().last().text.contains(QStringLiteral("读到 8 条订单")))
        << ui::msgbox_seam::shown().last().text.toStdString();

    file[tableRows] = 8;
    useFile(file);
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    ui::msgbox_seam::setNextAnswer(ui::IDYES);
    start();
    EXPECT_EQ(store->count(), 8);
    EXPECT_EQ(store->count(QStringLiteral("WHERE id=10")), 0);
    EXPECT_EQ(store->cell(9, QStringLiteral("kddh")), QStringLiteral("€"));
}

TEST_F(JetStartupTest, NoChangesNothingAndSaysHowToConvertLater)
{
    const QByteArray original = readAll(QDir(fixtures).filePath(QStringLiteral("ddlist_currency.mdb")));
    useFile(original);
    ui::msgbox_seam::setNextAnswer(ui::IDNO);
    mainwindow::MainWindow form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto shown = ui::msgbox_seam::shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].flags, ui::MB_YESNO_QUESTION);
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("重新启动"))) << shown[1].text.toStdString();
    EXPECT_EQ(form.orderGrid->Rows(), 1);
    EXPECT_EQ(readAll(store->dataFile()), original);
    EXPECT_TRUE(otherFiles().isEmpty());
}

TEST_F(JetStartupTest, DamagedAceAndOtherFilesChangeNothing)
{
    const QByteArray good = readAll(QDir(fixtures).filePath(QStringLiteral("ddlist_memo.mdb")));
    expectRefused(good.left(good.size() / 2), QStringLiteral("truncated"));
    expectRefused(good.left(4096 * 3), QStringLiteral("three pages"));

    // Damaged pages after the header, with a few seeds: a message every time, never a crash of the program.
    for (quint32 seed = 1; seed <= 6; ++seed) {
        QByteArray damaged = good;
        QRandomGenerator random(seed);
        for (int i = 0; i < 400; ++i) {
            const int at = 4096 + int(random.bounded(quint32(damaged.size() - 4096)));
            damaged[at] = char(random.bounded(256));
        }
        const QByteArray before = damaged;
        useFile(damaged);
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        ui::msgbox_seam::setNextAnswer(ui::IDYES);
        start();
        // Some damage leaves every order readable; then it converts, and the original is kept.
        if (readAll(store->dataFile()) != before) {
            ASSERT_EQ(otherFiles().size(), 1);
            EXPECT_EQ(readAll(QDir(store->folder()).filePath(otherFiles()[0])), before);
            QFile::remove(QDir(store->folder()).filePath(otherFiles()[0]));
        } else {
            EXPECT_TRUE(otherFiles().isEmpty());
            EXPECT_TRUE(ui::msgbox_seam::shown().last().text.contains(store->dataFile()));
        }
    }

    QByteArray ace = good.left(8192);
    ace.replace(4, 16, QByteArray("Standard ACE DB\0", 16));
    ace[0x14] = 3;
    expectRefused(ace, QStringLiteral("ace"));
    EXPECT_TRUE(ui::msgbox_seam::shown().last().text.contains(QStringLiteral("accdb")));
    QByteArray unknown = good;
    unknown[0x14] = 7;
    expectRefused(unknown, QStringLiteral("unknown version"));

    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator random(3);
    for (char& c : noise) {
        c = char(random.bounded(256));
    }
    expectRefused(noise, QStringLiteral("random"));
    expectRefused(QByteArray(), QStringLiteral("zero bytes"));
}

TEST_F(JetStartupTest, AHelperThatCrashesIsReportedAndChangesNothing)
{
    const QByteArray original = readAll(QDir(fixtures).filePath(QStringLiteral("ddlist_long.mdb")));
    QTemporaryDir tools;
    const QString crasher = tools.filePath(QStringLiteral("crasher"));
    {
        QFile script(crasher);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf 'TWJET1\\n'\nkill -SEGV $$\n");
    }
    QFile::setPermissions(crasher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    jetimport::setHelperPath(crasher);
    expectRefused(original, QStringLiteral("crash"));
    EXPECT_TRUE(ui::msgbox_seam::shown().last().text.contains(QStringLiteral("意外终止")))
        << ui::msgbox_seam::shown().last().text.toStdString();

    jetimport::setHelperPath(tools.filePath(QStringLiteral("absent")));
    expectRefused(original, QStringLiteral("no helper"));
    EXPECT_TRUE(ui::msgbox_seam::shown().last().text.contains(QStringLiteral("辅助程序")));
}

} // namespace
