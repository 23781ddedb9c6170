#include "app/SingleInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QWidget>

namespace app {

namespace {

const QByteArray raiseRequest = QByteArrayLiteral("raise\n");
constexpr int connectWaitMs = 500;
// A first instance that holds the lock may still be starting up: it listens right after taking it.
constexpr int busyPatienceMs = 5000;
constexpr int retryPauseMs = 100;
// Another start writes its lock file at once; one that stays unreadable this long never will be.
constexpr int lockWriteMs = 1000;

QString canonicalFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, TakeOverQuestion mayTakeOver, QObject* parent)
    : QObject(parent)
    , m_name(serverName(folder))
    , m_lock(lockFileName(folder))
    , m_mayTakeOver(std::move(mayTakeOver))
{
    // The lock lasts as long as the program: only a dead owner makes it stale, never its age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& folder)
{
    // The home folder stands for the user: two users' programs never answer each other.
    const QByteArray key = (canonicalFolder(folder) + QChar(0) + QDir::homePath()).toUtf8();
    return QStringLiteral("tallywick-") +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
}

QString SingleInstance::lockFileName(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("data.mdb.lock"));
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_lock.tryLock(0)) {
        if (listen()) {
            return Claim::Run;
        }
        // The name answers although the lock was free: an instance whose lock Qt took for stale.
        m_lock.unlock();
        return Claim::Handed;
    }
    if (m_lock.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString appName;
        if (!m_lock.getLockInfo(&pid, &host, &appName)) {
            if (lockUnreadable()) {
                return takeOver();
            }
            return claim(); // written, or removed, meanwhile
        }
        if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
            // A folder copied or moved from another computer, or this one renamed: the program there may
            // still be at work on a shared folder, and only the seller knows.
            if (askRunning(0)) {
                return Claim::Handed;
            }
            if (!m_mayTakeOver || !m_mayTakeOver(host, QDir::toNativeSeparators(m_lock.fileName()))) {
                return Claim::Declined;
            }
            return takeOver();
        }
        return askRunning(busyPatienceMs) ? Claim::Handed : Claim::Busy;
    }
    // No lock file can be written here (a read-only folder, where nothing can be saved either): the
    // socket alone keeps a second window away.
    if (askRunning(0)) {
        return Claim::Handed;
    }
    listen();
    return Claim::Run;
}

bool SingleInstance::lockUnreadable() const
{
    const QDeadlineTimer deadline(lockWriteMs);
    qint64 pid = 0;
    QString host;
    QString appName;
    while (!m_lock.getLockInfo(&pid, &host, &appName)) {
        if (!QFileInfo::exists(m_lock.fileName())) {
            return false;
        }
        if (deadline.hasExpired()) {
            return true;
        }
        QThread::msleep(retryPauseMs);
    }
    return false;
}

SingleInstance::Claim SingleInstance::takeOver()
{
    m_lock.removeStaleLockFile();
    if (!m_lock.tryLock(0)) {
        return Claim::Busy; // another start took it first
    }
    if (listen()) {
        return Claim::Run;
    }
    m_lock.unlock();
    return Claim::Handed;
}

bool SingleInstance::askRunning(int patienceMs) const
{
    const QDeadlineTimer deadline(patienceMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(connectWaitMs)) {
            socket.write(raiseRequest);
            const bool sent = socket.waitForBytesWritten(connectWaitMs);
            socket.disconnectFromServer();
            if (sent) {
                return true;
            }
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(retryPauseMs);
    }
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
    if (m_server->listen(m_name)) {
        return true;
    }
    if (m_server->serverError() == QAbstractSocket::AddressInUseError && askRunning(0)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    // The socket file of a crashed instance: nobody answers on it.
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
    return true;
}

void SingleInstance::readRequest()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (socket->canReadLine()) {
                if (socket->readLine(64) == raiseRequest) {
                    emit activationRequested();
                }
                socket->disconnectFromServer();
            } else if (socket->bytesAvailable() > 64) {
                socket->abort(); // not one of ours
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        read();
    }
}

void bringToFront(QWidget& window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    // A modal window (the entry window, a message) stays in front of its owner.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &window) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace app
