#include "jetimport/Converter.h"

#include "jetimport/HelperRun.h"
#include "jetimport/JetFrames.h"
#include "jetimport/JetTexts.h"
#include "jetimport/KeptCopy.h"
#include "jetimport/OrderFrame.h"
#include "store/EmptyStore.h"
#include "store/OrderTable.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <sqlite3.h>

namespace jetimport {

namespace {

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
    Finalize st{db.prepare(("SELECT " + store::columnList() + " FROM ddlist").c_str())};
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

Probe probe(const QString& jetFile, const std::function<bool()>& keepGoing)
{
    Probe found;
    qint64 tableRows = 0;
    runHelper(
        {QStringLiteral("--count"), QFileInfo(jetFile).absoluteFilePath()},
        [&](char kind, QByteArrayView payload) {
            if (kind == frames::head) {
                found.version = int(frameField(payload, "version"));
                found.codePage = int(frameField(payload, "codepage"));
                found.counter = frameField(payload, "counter");
            } else if (kind == frames::end) {
                found.orders = frameField(payload, "rows");
                tableRows = frameField(payload, "tablerows");
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
        Finalize insert{db.prepare(
            ("INSERT INTO ddlist (" + store::columnList() + ") VALUES (" + store::placeholders() + ")")
                .c_str())};
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
                    counter = frameField(payload, "counter");
                    return;
                }
                if (kind == frames::end) {
                    ended = frameField(payload, "rows");
                    tableRows = frameField(payload, "tablerows");
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
    std::filesystem::rename(std::filesystem::path(temp.toStdU16String()),
                            std::filesystem::path(dataFile.toStdU16String()), ec);
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
