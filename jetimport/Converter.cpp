#include "jetimport/Converter.h"

#include "jetimport/HelperRun.h"
#include "jetimport/JetFrames.h"
#include "jetimport/JetTexts.h"
#include "jetimport/KeptCopy.h"
#include "jetimport/OrderFrame.h"
#include "store/Database.h"
#include "store/EmptyStore.h"
#include "store/StoreError.h"
#include "store/SyncToDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>

namespace jetimport {

namespace {

// The written store's failures, in the conversion's own words.
template <typename Body> auto writing(const QString& path, Body&& body)
{
    try {
        return body();
    } catch (const store::StoreError& e) {
        throw ConversionError(texts::cannotWrite(path, e.detail()));
    }
}

// The columns of the order table in stored order, as readBack and the insert take them.
constexpr char selectAll[] = "SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist";
constexpr char insertWithId[] =
    "INSERT INTO ddlist (id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES (?,?,?,?,?,?,?,?,?)";

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
    return writing(path, [&] {
        store::Database db(path, store::Database::Mode::ReadWrite);
        {
            store::Statement check = db.prepare("PRAGMA quick_check");
            if (!check.step() || check.text(0) != QLatin1String("ok")) {
                throw ConversionError(texts::readBackDiffers);
            }
        }
        Digest digest;
        store::Statement st = db.prepare(selectAll);
        while (st.step()) {
            Order o;
            o.id = st.integer(0);
            o.spname = st.utf8(1).toByteArray();
            o.jj = st.real(2);
            o.sl = st.real(3);
            o.sj = st.real(4);
            o.mjzh = st.utf8(5).toByteArray();
            o.kddh = st.utf8(6).toByteArray();
            o.xsdate = st.utf8(7).toByteArray();
            o.bzNull = st.isNull(8);
            if (!o.bzNull) {
                o.bz = st.utf8(8).toByteArray();
            }
            digest.add(o);
        }
        store::Statement seq = db.prepare("SELECT seq FROM sqlite_sequence WHERE name='ddlist'");
        sequence = seq.step() ? seq.integer(0) : 0;
        return digest;
    });
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
    writing(temp, [&] {
        store::Database db(temp, store::Database::Mode::ReadWrite);
        db.exec("PRAGMA synchronous=FULL");
        store::Transaction transaction(db);
        store::Statement insert = db.prepare(insertWithId);
        OrderReader reader;
        qint64 ended = -1;
        qint64 tableRows = 0;
        const auto bindText = [&](int index, const QByteArray& v) { insert.bindUtf8(index, v); };
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
                insert.reset();
                insert.bind(1, o.id);
                bindText(2, o.spname);
                insert.bind(3, o.jj);
                insert.bind(4, o.sl);
                insert.bind(5, o.sj);
                bindText(6, o.mjzh);
                bindText(7, o.kddh);
                bindText(8, o.xsdate);
                if (o.bzNull) {
                    insert.bindNull(9);
                } else {
                    bindText(9, o.bz);
                }
                try {
                    insert.step();
                } catch (const store::StoreError& e) {
                    if (e.kind() == store::StoreError::Kind::TypeMismatch) {
                        throw ConversionError(texts::duplicateId(QString::number(o.id)));
                    }
                    throw;
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
        store::Statement seq = db.prepare("INSERT INTO sqlite_sequence (name, seq) VALUES ('ddlist', ?)");
        seq.bind(1, std::max(counter, maxId));
        seq.step();
        transaction.commit();
        result.withTime = reader.withTime;
        result.blanks = reader.blanks;
    });

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
    store::syncToDisk(folder, true);
    leftovers.temp.clear();
    leftovers.kept.clear();
    result.orders = written.count;
    return result;
}

} // namespace jetimport
