#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QWidget;

namespace app {

// One running program per order store. The first start in a folder holds a lock file beside data.mdb
// and listens on a local socket named after the folder; a later start in the same folder asks it to come
// to the front and ends. Other folders do not meet. A lock that a crash left behind, or one that cannot be
// read (left empty by a power cut), is taken over; one written on another computer is taken over only when
// the seller says that the program there is closed.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)
public:
    enum class Claim {
        Run,      // this process keeps the store: no other instance holds it
        Handed,   // another instance holds it and was asked to come to the front
        Busy,     // another instance holds it but did not answer
        Declined, // another computer's instance may hold it, and the seller chose not to start
    };

    // Asked when the lock was written on another computer: true when the program there is closed and the
    // lock may be taken over. Without it such a lock is never taken over.
    using TakeOverQuestion = std::function<bool(const QString& computer, const QString& lockFile)>;

    explicit SingleInstance(const QString& folder,
                            TakeOverQuestion mayTakeOver = {},
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim();

    // The local socket's name: the same for every spelling of one folder (links, "..", a trailing
    // separator) and for one user only.
    static QString serverName(const QString& folder);
    static QString lockFileName(const QString& folder);

signals:
    // A later start in the same folder asked this instance to come to the front.
    void activationRequested();

private:
    // Asks the instance that listens on the folder's name to come to the front; true when it was reached.
    bool askRunning(int patienceMs) const;
    bool listen();
    // The lock file cannot be read, not even after the moment another start takes to write it.
    bool lockUnreadable() const;
    Claim takeOver();
    void readRequest();

    QString m_name;
    QLockFile m_lock;
    TakeOverQuestion m_mayTakeOver;
    QLocalServer* m_server = nullptr;
};

// Brings window (and a modal window open over it) to the front, also from the task bar.
void bringToFront(QWidget& window);

} // namespace app
