// Saving into a store that cannot take the order (a write-protected file or folder, a full disk) tells
// the user, keeps the entry window open with every box as typed, writes nothing, and works once the
// cause is gone.
#include "entry/EntryWindow.h"
#include "mainwindow/MainWindow.h"
#include "store/EmptyStore.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <unistd.h>

namespace {

bool run(const QString& program, const QStringList& args)
{
    return QProcess::execute(program, args) == 0;
}

// Makes a folder and the files in it unwritable for this process, root included: a read-only bind
// mount where we may mount, file modes otherwise.
class ReadOnly final
{
public:
    explicit ReadOnly(const QString& folder)
        : m_folder(folder)
    {
        if (geteuid() == 0) {
            m_mounted = run(QStringLiteral("mount"), {QStringLiteral("--bind"), folder, folder});
            if (m_mounted && !run(QStringLiteral("mount"),
                                  {QStringLiteral("-o"), QStringLiteral("remount,ro,bind"), folder})) {
                undo(); // a writable bind mount proves nothing
            }
        } else {
            for (const QString& name : QDir(folder).entryList(QDir::Files)) {
                QFile::setPermissions(QDir(folder).filePath(name), QFile::ReadOwner);
            }
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            m_moded = true;
        }
    }
    ~ReadOnly() { undo(); }
    bool works() const { return m_mounted || m_moded; }
    void undo()
    {
        if (m_mounted) {
            run(QStringLiteral("umount"), {m_folder});
            m_mounted = false;
        }
        if (m_moded) {
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            for (const QString& name : QDir(m_folder).entryList(QDir::Files)) {
                QFile::setPermissions(QDir(m_folder).filePath(name), QFile::ReadOwner | QFile::WriteOwner);
            }
            m_moded = false;
        }
    }

private:
    QString m_folder;
    bool m_mounted = false;
    bool m_moded = false;
};

class SaveFaultTest : public testsupport::GuiTest
{
protected:
    QString messages() const
    {
        QString all;
        for (const auto& shown : ui::msgbox_seam::shown()) {
            all += shown.text + QLatin1Char('\n');
        }
        return all;
    }
    QLineEdit* box(QWidget& window, const char* name) const
    {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void typeOrder(QWidget& window, const QString& remark) const
    {
        // Chinese text arrives through the input method, not as key presses.
        box(window, "spname")->insert(QStringLiteral("保温杯"));
        QTest::keyClicks(box(window, "sl"), QStringLiteral("2"));
        QTest::keyClicks(box(window, "jj"), QStringLiteral("12.5"));
        QTest::keyClicks(box(window, "sj"), QStringLiteral("30"));
        box(window, "mjzh")->insert(QStringLiteral("小王"));
        QTest::keyClicks(box(window, "kddh"), QStringLiteral("SF1001"));
        box(window, "bz")->setText(remark); // as pasted
    }
    void expectBoxesKept(QWidget& window, const QString& remark) const
    {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(box(window, "spname")->text(), QStringLiteral("保温杯"));
        EXPECT_EQ(box(window, "sl")->text(), QStringLiteral("2"));
        EXPECT_EQ(box(window, "jj")->text(), QStringLiteral("12.5"));
        EXPECT_EQ(box(window, "sj")->text(), QStringLiteral("30"));
        EXPECT_EQ(box(window, "mjzh")->text(), QStringLiteral("小王"));
        EXPECT_EQ(box(window, "kddh")->text(), QStringLiteral("SF1001"));
        EXPECT_EQ(box(window, "bz")->text(), remark);
    }
    void clickSave(QWidget& window) const
    {
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }
};

TEST_F(SaveFaultTest, WriteProtectedStoreIsListedButRefusesTheSaveUntilWritableAgain)
{
    store->addOrder(QStringLiteral("旧定单"), 1, 1, 2, QStringLiteral("买家"), QStringLiteral("KD0"),
                    QDate::currentDate().toString(Qt::ISODate));
    const QByteArray before = [&] {
        QFile f(store->dataFile());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ReadOnly readOnly(store->folder());
    if (!readOnly.works()) {
        GTEST_SKIP() << "this machine lets us neither mount nor change file modes";
    }

    mainwindow::MainWindow form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.orderGrid->TextMatrix(1, 1), QStringLiteral("旧定单")) << "a read-only store can be read";
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1) << messages().toStdString();
    EXPECT_EQ(ui::msgbox_seam::shown()[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(messages().contains(QStringLiteral("不能保存"))) << messages().toStdString();
    EXPECT_TRUE(messages().contains(store->folder())) << messages().toStdString();
    EXPECT_TRUE(ui::msgbox_seam::shown()[0].overShownWindow) << "the warning came before the window";

    entry::EntryWindow window(form, std::nullopt, &form);
    window.load();
    window.show();
    const QString remark = QStringLiteral("包装'好\"一点 #1 100%");
    typeOrder(window, remark);
    clickSave(window);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 2);
    EXPECT_TRUE(ui::msgbox_seam::shown().last().text.contains(QStringLiteral("不能保存")))
        << messages().toStdString();
    EXPECT_FALSE(messages().contains(QStringLiteral("保存成功!!")));
    expectBoxesKept(window, remark);

    readOnly.undo();
    QFile f(store->dataFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before) << "the write-protected file was changed";
    EXPECT_EQ(store->count(), 1);

    clickSave(window);
    EXPECT_EQ(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!"));
    EXPECT_EQ(store->count(), 1 + 1);
    EXPECT_EQ(store->cell(2, QStringLiteral("bz")), remark);
}

TEST_F(SaveFaultTest, FullDiskRefusesTheSaveAndLosesNothing)
{
    const testsupport::SmallDisk disk(QStringLiteral("512k"));
    if (!disk.mounted()) {
        GTEST_SKIP() << "this machine does not let us mount a small filesystem (root only)";
    }
    const QString folder = disk.folder();
    const QString dataFile = disk.makeStore();

    mainwindow::MainWindow form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(ui::msgbox_seam::shown().isEmpty()) << messages().toStdString();

    // Fill the disk to its last byte.
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();

    entry::EntryWindow window(form, std::nullopt, &form);
    window.load();
    window.show();
    const QString remark = QStringLiteral("长备注").repeated(20000);
    typeOrder(window, remark);
    clickSave(window);
    EXPECT_FALSE(messages().contains(QStringLiteral("保存成功!!"))) << "a failed save was reported as saved";
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown()[0].text.contains(dataFile)) << messages().toStdString();
    expectBoxesKept(window, remark);

    QFile::remove(filler.fileName());
    clickSave(window);
    EXPECT_EQ(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!")) << messages().toStdString();

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(dataFile.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*), max(length(bz)) FROM ddlist", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    EXPECT_EQ(sqlite3_column_int(st, 1), remark.size());
    sqlite3_finalize(st);
    sqlite3_close(db);
}

} // namespace
