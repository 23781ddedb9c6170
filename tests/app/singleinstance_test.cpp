// One running program per order store: a second start in the same folder brings the first forward and
// ends; a crashed instance's lock and socket are taken over; other folders run side by side.
#include "app/SingleInstance.h"
#include "store/EmptyStore.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
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

TEST_F(SingleInstanceTest, ALockWhoseHolderDoesNotAnswerIsBusy)
{
    // Held by a live process that listens nowhere (a hung or foreign program): no second window.
    QLockFile held(SingleInstance::lockFileName(store->folder()));
    ASSERT_TRUE(held.tryLock(0));
    SingleInstance late(store->folder());
    EXPECT_EQ(late.claim(), SingleInstance::Claim::Busy);
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
