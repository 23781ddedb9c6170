#include "jetimport/HelperRun.h"

#include "jetimport/ConversionError.h"
#include "jetimport/JetFrames.h"
#include "jetimport/JetTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace jetimport {

namespace {

QString& helperOverride()
{
    static QString path;
    return path;
}

QString failureText(QByteArrayView payload)
{
    const qsizetype cut = payload.indexOf('\n');
    const QByteArrayView reason = payload.first(cut < 0 ? payload.size() : cut);
    const QString details = cut < 0 ? QString() : QString::fromUtf8(payload.sliced(cut + 1));
    if (reason == frames::cannotOpen) {
        return texts::cannotOpen;
    }
    if (reason == frames::noTable) {
        return texts::noTable;
    }
    if (reason == frames::noColumns) {
        return texts::missingColumns(details);
    }
    if (reason == frames::damaged) {
        return texts::damaged;
    }
    return texts::helperGarbled;
}

} // namespace

QString helperPath()
{
    if (!helperOverride().isEmpty()) {
        return helperOverride();
    }
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("tallywick-jetread.exe");
#else
    const QString name = QStringLiteral("tallywick-jetread");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

void setHelperPath(const QString& path)
{
    helperOverride() = path;
}

quint32 frameLength(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

// "key=value" lines of a head or end frame.
qint64 frameField(QByteArrayView payload, QByteArrayView key)
{
    for (const QByteArrayView line : payload.toByteArray().split('\n')) {
        if (line.startsWith(key) && line.size() > key.size() && line.at(key.size()) == '=') {
            bool ok = false;
            const qint64 value = line.sliced(key.size() + 1).toLongLong(&ok);
            if (ok) {
                return value;
            }
        }
    }
    throw ConversionError(texts::helperGarbled);
}

void runHelper(const QStringList& args,
               const std::function<void(char, QByteArrayView)>& onFrame,
               const std::function<bool()>& keepGoing)
{
    const QString helper = helperPath();
    if (!QFileInfo(helper).isExecutable()) {
        throw ConversionError(texts::helperMissing(helper));
    }
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QByteArray buffer;
    qsizetype used = 0;
    bool magicSeen = false;
    bool ended = false;
    QString failure;
    std::exception_ptr error;
    bool canceled = false;

    bool draining = false;
    const auto drain = [&] {
        // A frame handler never turns the event loop, but a nested loop must still not parse the buffer
        // that an outer call is walking through.
        if (draining) {
            return;
        }
        draining = true;
        buffer += process.readAllStandardOutput();
        try {
            if (!magicSeen && buffer.size() >= frames::magicSize) {
                if (!buffer.startsWith(QByteArrayView(frames::magic, frames::magicSize))) {
                    throw ConversionError(texts::helperGarbled);
                }
                magicSeen = true;
                used = frames::magicSize;
            }
            while (magicSeen && !ended && !error && buffer.size() - used >= 5) {
                const char kind = buffer.at(used);
                const quint32 length = frameLength(buffer.constData() + used + 1);
                if (length > frames::maxPayload) {
                    throw ConversionError(texts::helperGarbled);
                }
                if (buffer.size() - used - 5 < qsizetype(length)) {
                    break;
                }
                const QByteArrayView payload(buffer.constData() + used + 5, length);
                used += 5 + qsizetype(length);
                if (kind == frames::failure) {
                    failure = failureText(payload);
                    ended = true;
                } else {
                    ended = kind == frames::end;
                    onFrame(kind, payload);
                }
            }
        } catch (...) {
            if (!error) {
                error = std::current_exception();
            }
            process.kill();
        }
        buffer.remove(0, used);
        used = 0;
        draining = false;
    };

    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, drain);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!canceled && !keepGoing()) {
            canceled = true;
            process.kill();
        }
    });
    poll.start(100);
    process.start(helper, args, QIODevice::ReadOnly);
    if (!process.waitForStarted()) {
        throw ConversionError(texts::helperMissing(helper));
    }
    if (process.state() != QProcess::NotRunning) {
        loop.exec();
    }
    process.waitForFinished();
    drain();
    if (error) {
        std::rethrow_exception(error);
    }
    if (canceled) {
        throw ConversionError(texts::canceled);
    }
    if (!failure.isEmpty()) {
        throw ConversionError(failure);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !ended ||
        !buffer.isEmpty()) {
        throw ConversionError(process.exitStatus() == QProcess::NormalExit && ended ? texts::helperGarbled
                                                                                    : texts::helperCrashed);
    }
}

} // namespace jetimport
