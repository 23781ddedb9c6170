// One running program per order store: a second start in the same folder brings the first forward and
// ends; a crashed instance's lock and socket are taken over, and so is an empty or unreadable one; another
// computer's lock only when the seller says so; other folders run side by side.
#include "app/AppTexts.h"
#include "app/SingleInstance.h"
#include "store/EmptyStore.h"
#include "support/Fixtures.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>

using app::SingleInstance;

namespace {

class SingleInstanceTest : public testsupport::GuiTest
{};

TEST_F(SingleInstanceTest, TheNameFollowsTheFolderHoweverItIsSpelled)
{
    const QString folder = store->folder();
    const QString name = SingleInstance::serverName(folder);
    EXPECT_EQ(SingleInstance::serverName(folder + QStringLiteral("/")), name);
    EXPECT_EQ(SingleInstance::serverName(folder + QStringLiteral("/sub/..")), name);
    QTemporaryDir other;
    const QString link = QDir(other.path()).filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(folder, link));
    EXPECT_EQ(SingleInstance::serverName(link), name);
    EXPECT_NE(SingleInstance::serverName(other.path()), name);
    EXPECT_LT(name.size(), 50); // local socket paths are short
}

TEST_F(SingleInstanceTest, ASecondClaimHandsOverAndTheFirstIsAskedForward)
{
    const QString folder = store->folder();
    auto first = std::make_unique<SingleInstance>(folder);
    QSignalSpy asked(first.get(), &SingleInstance::activationRequested);
    ASSERT_EQ(first->claim(), SingleInstance::Claim::Run);
    EXPECT_TRUE(QFile::exists(SingleInstance::lockFileName(folder)));

    SingleInstance second(folder);
    EXPECT_EQ(second.claim(), SingleInstance::Claim::Handed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked.count() == 1; }));

    // Another folder is another store.
    QTemporaryDir elsewhere;
    SingleInstance other(elsewhere.path());
    EXPECT_EQ(other.claim(), SingleInstance::Claim::Run);

    // Something else talking on the socket is ignored.
    QLocalSocket stranger;
    stranger.connectToServer(SingleInstance::serverName(folder));
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write(QByteArray(200, 'x'));
    stranger.waitForBytesWritten(2000);
    QTest::qWait(100);
    EXPECT_EQ(asked.count(), 1);

    first.reset();
    EXPECT_FALSE(QFile::exists(SingleInstance::lockFileName(folder)));
    SingleInstance third(folder);
    EXPECT_EQ(third.claim(), SingleInstance::Claim::Run);
}

// What a start finds in the lock file beside data.mdb. An empty or unreadable one (a power cut) is taken
// over; another computer's only when the seller says the program there is closed; a live one is not.
TEST_F(SingleInstanceTest, ALockIsTakenOverOnlyWhenNothingHoldsIt)
{
    const char* otherComputer = "4242\nTallywick\nshop-laptop-old\nabcd\n";
    const char* answering = "the first instance of this computer";
    const char* silent = "a live process that listens nowhere (a hung or foreign program)";
    const struct
    {
        const char* left;
        int answer;
        SingleInstance::Claim claim;
    } cases[] = {
        {"", 0, SingleInstance::Claim::Run},
        {"\x01\xfe not a lock \xff", 0, SingleInstance::Claim::Run},
        {otherComputer, ui::IDNO, SingleInstance::Claim::Declined},
        {otherComputer, ui::IDYES, SingleInstance::Claim::Run},
        {answering, 0, SingleInstance::Claim::Handed},
        {silent, 0, SingleInstance::Claim::Busy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.left) + " " + std::to_string(c.answer));
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        ui::msgbox_seam::setNextAnswer(c.answer);
        QTemporaryDir folder;
        const QString lock = SingleInstance::lockFileName(folder.path());
        SingleInstance first(folder.path());
        QLockFile held(lock);
        if (c.left == answering) {
            ASSERT_EQ(first.claim(), SingleInstance::Claim::Run);
        } else if (c.left == silent) {
            ASSERT_TRUE(held.tryLock(0));
        } else {
            QFile file(lock);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.left);
        }

        // As the program asks.
        SingleInstance starting(folder.path(), [](const QString& computer, const QString& lockFile) {
            return ui::MsgBox(app::texts::lockOfAnotherComputer(computer, lockFile), ui::MB_YESNO_QUESTION,
                              ui::texts::noticeTitle) == ui::IDYES;
        });
        EXPECT_EQ(starting.claim(), c.claim);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), c.answer ? 1 : 0);
        if (c.answer) {
            EXPECT_EQ(ui::msgbox_seam::shown()[0].flags, ui::MB_YESNO_QUESTION);
            EXPECT_TRUE(ui::msgbox_seam::shown()[0].text.contains(QStringLiteral("shop-laptop-old")));
            EXPECT_TRUE(ui::msgbox_seam::shown()[0].text.contains(QDir::toNativeSeparators(lock)));
        }
        qint64 pid = 0;
        QString host;
        QString appName;
        QLockFile(lock).getLockInfo(&pid, &host, &appName);
        const bool ours = c.answer != ui::IDNO; // taken over, or held by this very test process
        EXPECT_EQ(host, ours ? QSysInfo::machineHostName() : QStringLiteral("shop-laptop-old"));
        EXPECT_EQ(pid, ours ? QCoreApplication::applicationPid() : 4242);
    }
}

TEST_F(SingleInstanceTest, BringToFrontRestoresAMinimizedWindow)
{
    auto* window = new QWidget;
    window->showMinimized();
    QTest::qWait(0);
    app::bringToFront(*window);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// The real program, copied into a folder of its own with an empty data.mdb.
class Program
{
public:
    Program()
    {
        store::createEmptyStore(QDir(m_dir.path()).filePath(QStringLiteral("data.mdb")));
        QFile::copy(QStringLiteral(TALLYWICK_PATH), exe());
        QFile(exe()).setPermissions(QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
    }
    QString folder() const { return m_dir.path(); }
    QString exe() const { return QDir(m_dir.path()).filePath(QStringLiteral("Tallywick")); }
    QString lock() const { return SingleInstance::lockFileName(folder()); }

    // Starts one more process of this folder's program.
    QProcess& start()
    {
        auto& p = *m_processes.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(exe(), {});
        EXPECT_TRUE(p.waitForStarted(10000));
        return p;
    }
    ~Program()
    {
        for (auto& p : m_processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        // A killed program leaves its socket file behind.
        QLocalServer::removeServer(SingleInstance::serverName(folder()));
    }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

bool runsOn(QProcess& p, int ms)
{
    return !p.waitForFinished(ms) && p.state() == QProcess::Running;
}

TEST(SingleInstanceProcesses, OneWindowPerStoreAndACrashedOneIsTakenOver)
{
    Program shop;
    QProcess& first = shop.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(shop.lock()); }, 30000))
        << first.readAllStandardError().constData();

    // A second start in the same folder asks the first forward and ends at once.
    QProcess& second = shop.start();
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();
    EXPECT_TRUE(runsOn(first, 0));

    // Another folder runs as usual, beside it.
    Program other;
    QProcess& elsewhere = other.start();
    EXPECT_TRUE(runsOn(elsewhere, 1500)) << elsewhere.readAllStandardError().constData();

    // A crash leaves its lock file behind; the next start takes it over and answers later starts itself.
    ::kill(pid_t(first.processId()), SIGKILL);
    first.waitForFinished(5000);
    ASSERT_TRUE(QFile::exists(shop.lock()));
    QProcess& after = shop.start();
    EXPECT_TRUE(runsOn(after, 1500)) << after.readAllStandardError().constData();
    QProcess& again = shop.start();
    ASSERT_TRUE(again.waitForFinished(30000));
    EXPECT_EQ(again.exitCode(), 0);
    EXPECT_TRUE(runsOn(after, 0));
}

} // namespace
