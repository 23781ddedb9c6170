#include "jetimport/Converter.h"

#include "jetimport/JetFrames.h"
#include "jetimport/JetTexts.h"
#include "store/EmptyStore.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <sqlite3.h>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace jetimport {

namespace texts = jet_texts;

namespace {

QString& helperOverride()
{
    static QString path;
    return path;
}

quint32 le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

// "key=value" lines of a head or end frame.
qint64 field(QByteArrayView payload, QByteArrayView key)
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

// Runs the helper and hands each frame to onFrame, while the event loop goes on turning (the window stays
// painted, the progress dialog answers). A frame handler's exception stops the helper and is thrown here.
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
            while (magicSeen && !ended && buffer.size() - used >= 5) {
                const char kind = buffer.at(used);
                const quint32 length = le32(buffer.constData() + used + 1);
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

// The values of one order as the store keeps them.
struct Order
{
    qint64 id = 0;
    QByteArray spname, mjzh, kddh, xsdate, bz;
    bool bzNull = true;
    double jj = 0, sl = 0, sj = 0;
};

// A sum of two 64-bit hashes of every order: equal for the same set of orders in any order, so the rows
// written and the rows read back are compared without keeping them.
struct Digest
{
    quint64 a = 0;
    quint64 b = 0;
    qint64 count = 0;
    bool operator==(const Digest&) const = default;

    void add(const Order& o)
    {
        QByteArray bytes;
        const auto put = [&](QByteArrayView v) {
            const qint64 n = v.size();
            bytes.append(reinterpret_cast<const char*>(&n), sizeof n);
            bytes.append(v);
        };
        const auto number = [&](double v) { bytes.append(reinterpret_cast<const char*>(&v), sizeof v); };
        bytes.append(reinterpret_cast<const char*>(&o.id), sizeof o.id);
        put(o.spname);
        number(o.jj);
        number(o.sl);
        number(o.sj);
        put(o.mjzh);
        put(o.kddh);
        put(o.xsdate);
        bytes.append(o.bzNull ? 'N' : 'T');
        put(o.bz);
        a += qHash(QByteArrayView(bytes), size_t(0x9e3779b97f4a7c15ull));
        b += qHash(QByteArrayView(bytes), size_t(0xc2b2ae3d27d4eb4full));
        ++count;
    }
};

class Db final
{
public:
    explicit Db(const QString& path)
        : m_path(path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            fail();
        }
        exec("PRAGMA synchronous=FULL");
    }
    ~Db() { sqlite3_close(m_db); }
    Q_DISABLE_COPY_MOVE(Db)

    void exec(const char* sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            fail();
        }
    }
    sqlite3_stmt* prepare(const char* sql)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK) {
            fail();
        }
        return st;
    }
    [[noreturn]] void fail() const
    {
        throw ConversionError(texts::cannotWrite(m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
    }
    sqlite3* get() const { return m_db; }

private:
    QString m_path;
    sqlite3* m_db = nullptr;
};

struct Finalize
{
    sqlite3_stmt* st;
    ~Finalize() { sqlite3_finalize(st); }
};

// One order frame: the nine tagged values, checked and turned into what the store keeps.
class OrderReader final
{
public:
    Order read(QByteArrayView payload)
    {
        QByteArrayView rest = payload;
        char tags[frames::columnCount];
        QByteArrayView values[frames::columnCount];
        for (int c = 0; c < frames::columnCount; ++c) {
            if (rest.size() < 5) {
                throw ConversionError(texts::helperGarbled);
            }
            tags[c] = rest.at(0);
            const quint32 n = le32(rest.data() + 1);
            if (rest.size() - 5 < qsizetype(n)) {
                throw ConversionError(texts::helperGarbled);
            }
            values[c] = rest.sliced(5, n);
            rest = rest.sliced(5 + n);
        }
        if (!rest.isEmpty()) {
            throw ConversionError(texts::helperGarbled);
        }
        Order o;
        m_blank = false;
        const QString idText = QString::fromUtf8(values[0]);
        bool ok = tags[0] == frames::number;
        o.id = ok ? values[0].toLongLong(&ok) : 0;
        if (!ok) {
            check(tags[0], 0, idText);
            throw ConversionError(texts::badValue(idText, name(0), idText));
        }
        o.spname = text(tags[1], values[1], 1, idText);
        o.jj = number(tags[2], values[2], 2, idText);
        o.sl = number(tags[3], values[3], 3, idText);
        o.sj = number(tags[4], values[4], 4, idText);
        o.mjzh = text(tags[5], values[5], 5, idText);
        o.kddh = text(tags[6], values[6], 6, idText);
        o.xsdate = date(tags[7], values[7], idText);
        o.bzNull = tags[8] == frames::null;
        if (!o.bzNull) {
            check(tags[8], 8, idText);
            o.bz = values[8].toByteArray();
        }
        blanks += m_blank ? 1 : 0;
        return o;
    }

    qint64 withTime = 0;
    qint64 blanks = 0;

private:
    static QString name(int c) { return QString::fromLatin1(frames::columnNames[c]); }

    static void check(char tag, int c, const QString&)
    {
        if (tag == frames::unsupported) {
            throw ConversionError(texts::unsupportedColumn(name(c)));
        }
    }

    QByteArray text(char tag, QByteArrayView v, int c, const QString& id)
    {
        check(tag, c, id);
        if (tag == frames::null) {
            m_blank = true;
            return QByteArray("");
        }
        return v.toByteArray();
    }

    double number(char tag, QByteArrayView v, int c, const QString& id)
    {
        check(tag, c, id);
        if (tag == frames::null) {
            m_blank = true;
            return 0; // NULL adds nothing to a sum, and neither does 0
        }
        bool ok = tag == frames::number || tag == frames::text;
        const double d = ok ? v.trimmed().toDouble(&ok) : 0;
        if (!ok || !std::isfinite(d)) {
            throw ConversionError(texts::badValue(id, name(c), QString::fromUtf8(v)));
        }
        return d;
    }

    QByteArray date(char tag, QByteArrayView v, const QString& id)
    {
        check(tag, 7, id);
        if (tag == frames::null) {
            throw ConversionError(texts::noDate(id));
        }
        if (tag == frames::date && v.size() >= 10) {
            withTime += v.size() > 10 ? 1 : 0;
            return v.first(10).toByteArray();
        }
        // A date kept as text: the day in the forms Access and the seller write it.
        const QString written = QString::fromUtf8(v).trimmed().section(QLatin1Char(' '), 0, 0);
        for (const QString& form : {QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d")}) {
            const QDate day = QDate::fromString(written, form);
            if (day.isValid()) {
                withTime += QString::fromUtf8(v).trimmed().contains(QLatin1Char(' ')) ? 1 : 0;
                return day.toString(Qt::ISODate).toUtf8();
            }
        }
        throw ConversionError(texts::badValue(id, name(7), QString::fromUtf8(v)));
    }

    bool m_blank = false;
};

void syncFile(const QString& path, bool directory)
{
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), (directory ? O_RDONLY | O_DIRECTORY : O_RDONLY));
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path)
    Q_UNUSED(directory)
#endif
}

bool sameBytes(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size()) {
        return false;
    }
    constexpr qint64 chunk = 1 << 20;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(chunk);
        if (x.isEmpty() || x != fb.read(chunk)) {
            return false;
        }
    }
    return fb.atEnd();
}

// Copies dataFile to a name that was free: a file that appears under that name meanwhile is never
// overwritten, the next name is taken instead.
QString keepCopy(const QString& dataFile)
{
    QFile in(dataFile);
    if (!in.open(QIODevice::ReadOnly)) {
        throw ConversionError(texts::cannotKeep(dataFile, in.errorString()));
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = keptName(dataFile);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path)) {
                continue;
            }
            throw ConversionError(texts::cannotKeep(path, out.errorString()));
        }
        bool ok = true;
        while (ok && !in.atEnd()) {
            const QByteArray bytes = in.read(1 << 20);
            ok = !bytes.isEmpty() && out.write(bytes) == bytes.size();
        }
        ok = ok && out.flush();
        const QString detail = out.errorString();
        out.close();
        if (ok) {
            syncFile(path, false);
        }
        if (!ok || !sameBytes(dataFile, path)) {
            QFile::remove(path);
            throw ConversionError(ok ? texts::keptCopyDiffers(path) : texts::cannotKeep(path, detail));
        }
        return path;
    }
    throw ConversionError(texts::cannotKeep(keptName(dataFile), QString()));
}

// Removes what a conversion made unless it was finished.
struct Leftovers
{
    QString temp;
    QString kept;
    ~Leftovers()
    {
        if (!temp.isEmpty()) {
            QFile::remove(temp);
            QFile::remove(temp + QStringLiteral("-journal"));
        }
        if (!kept.isEmpty()) {
            QFile::remove(kept);
        }
    }
};

Digest readBack(const QString& path, qint64& sequence)
{
    Db db(path);
    Digest digest;
    {
        Finalize check{db.prepare("PRAGMA quick_check")};
        if (sqlite3_step(check.st) != SQLITE_ROW ||
            qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(check.st, 0)), "ok") != 0) {
            throw ConversionError(texts::readBackDiffers);
        }
    }
    Finalize st{db.prepare("SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist")};
    const auto bytes = [&](int c) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st.st, c));
        return QByteArray(p ? p : "", sqlite3_column_bytes(st.st, c));
    };
    int rc;
    while ((rc = sqlite3_step(st.st)) == SQLITE_ROW) {
        Order o;
        o.id = sqlite3_column_int64(st.st, 0);
        o.spname = bytes(1);
        o.jj = sqlite3_column_double(st.st, 2);
        o.sl = sqlite3_column_double(st.st, 3);
        o.sj = sqlite3_column_double(st.st, 4);
        o.mjzh = bytes(5);
        o.kddh = bytes(6);
        o.xsdate = bytes(7);
        o.bzNull = sqlite3_column_type(st.st, 8) == SQLITE_NULL;
        if (!o.bzNull) {
            o.bz = bytes(8);
        }
        digest.add(o);
    }
    if (rc != SQLITE_DONE) {
        db.fail();
    }
    Finalize seq{db.prepare("SELECT seq FROM sqlite_sequence WHERE name='ddlist'")};
    sequence = sqlite3_step(seq.st) == SQLITE_ROW ? sqlite3_column_int64(seq.st, 0) : 0;
    return digest;
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

QString keptName(const QString& dataFile)
{
    const QFileInfo info(dataFile);
    const QString stem =
        QStringLiteral("%1-jet-%2")
            .arg(info.completeBaseName(), QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString path = info.dir().filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = info.dir().filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix));
    }
    return path;
}

Probe probe(const QString& jetFile, const std::function<bool()>& keepGoing)
{
    Probe found;
    qint64 tableRows = 0;
    runHelper(
        {QStringLiteral("--count"), QFileInfo(jetFile).absoluteFilePath()},
        [&](char kind, QByteArrayView payload) {
            if (kind == frames::head) {
                found.version = int(field(payload, "version"));
                found.codePage = int(field(payload, "codepage"));
                found.counter = field(payload, "counter");
            } else if (kind == frames::end) {
                found.orders = field(payload, "rows");
                tableRows = field(payload, "tablerows");
            } else {
                throw ConversionError(texts::helperGarbled);
            }
        },
        keepGoing);
    // The table definition keeps a count of its rows (0 after Access was not closed properly): a count that
    // disagrees means rows the reading cannot see.
    if (tableRows != 0 && tableRows != found.orders) {
        throw ConversionError(texts::countMismatch(found.orders, tableRows));
    }
    return found;
}

Converted convert(const QString& dataFile, const Probe& probe, const std::function<bool(qint64)>& progress)
{
    Converted result;
    Leftovers leftovers;
    leftovers.kept = keepCopy(dataFile);
    result.keptPath = leftovers.kept;

    const QString folder = QFileInfo(dataFile).absolutePath();
    QString temp;
    do {
        temp =
            QDir(folder).filePath(QStringLiteral("data-converting-%1.tmp")
                                      .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    } while (QFileInfo::exists(temp));
    try {
        store::createEmptyStore(temp);
    } catch (const store::StoreError& e) {
        throw ConversionError(texts::cannotWrite(temp, e.description()));
    }
    leftovers.temp = temp;

    Digest written;
    qint64 counter = probe.counter;
    qint64 maxId = 0;
    {
        Db db(temp);
        db.exec("BEGIN");
        Finalize insert{db.prepare("INSERT INTO ddlist (id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz) "
                                   "VALUES (?,?,?,?,?,?,?,?,?)")};
        OrderReader reader;
        qint64 ended = -1;
        qint64 tableRows = 0;
        const auto bindText = [&](int index, const QByteArray& v) {
            sqlite3_bind_text64(insert.st, index, v.constData(), sqlite3_uint64(v.size()), SQLITE_TRANSIENT,
                                SQLITE_UTF8);
        };
        runHelper(
            {QStringLiteral("--rows"), QFileInfo(dataFile).absoluteFilePath()},
            [&](char kind, QByteArrayView payload) {
                if (kind == frames::head) {
                    counter = field(payload, "counter");
                    return;
                }
                if (kind == frames::end) {
                    ended = field(payload, "rows");
                    tableRows = field(payload, "tablerows");
                    return;
                }
                if (kind != frames::order) {
                    throw ConversionError(texts::helperGarbled);
                }
                const Order o = reader.read(payload);
                sqlite3_reset(insert.st);
                sqlite3_bind_int64(insert.st, 1, o.id);
                bindText(2, o.spname);
                sqlite3_bind_double(insert.st, 3, o.jj);
                sqlite3_bind_double(insert.st, 4, o.sl);
                sqlite3_bind_double(insert.st, 5, o.sj);
                bindText(6, o.mjzh);
                bindText(7, o.kddh);
                bindText(8, o.xsdate);
                if (o.bzNull) {
                    sqlite3_bind_null(insert.st, 9);
                } else {
                    bindText(9, o.bz);
                }
                const int rc = sqlite3_step(insert.st);
                if ((rc & 0xff) == SQLITE_CONSTRAINT) {
                    throw ConversionError(texts::duplicateId(QString::number(o.id)));
                }
                if (rc != SQLITE_DONE) {
                    db.fail();
                }
                written.add(o);
                maxId = std::max(maxId, o.id);
            },
            [&] { return progress(written.count); });
        if (ended != written.count) {
            throw ConversionError(texts::helperGarbled);
        }
        if (tableRows != 0 && tableRows != written.count) {
            throw ConversionError(texts::countMismatch(written.count, tableRows));
        }
        // The next new order continues after the Jet table's counter, also when its last orders were deleted.
        db.exec("DELETE FROM sqlite_sequence WHERE name='ddlist'");
        Finalize seq{db.prepare("INSERT INTO sqlite_sequence (name, seq) VALUES ('ddlist', ?)")};
        sqlite3_bind_int64(seq.st, 1, std::max(counter, maxId));
        if (sqlite3_step(seq.st) != SQLITE_DONE) {
            db.fail();
        }
        db.exec("COMMIT");
        result.withTime = reader.withTime;
        result.blanks = reader.blanks;
    }

    qint64 sequence = 0;
    if (readBack(temp, sequence) != written || sequence != std::max(counter, maxId)) {
        throw ConversionError(texts::readBackDiffers);
    }
    if (!sameBytes(dataFile, leftovers.kept)) {
        throw ConversionError(texts::changedMeanwhile);
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp).toStdString(), QFile::encodeName(dataFile).toStdString(),
                            ec);
    if (ec) {
        throw ConversionError(texts::cannotReplace(QString::fromLocal8Bit(ec.message().c_str())));
    }
    syncFile(folder, true);
    leftovers.temp.clear();
    leftovers.kept.clear();
    result.orders = written.count;
    return result;
}

} // namespace jetimport
