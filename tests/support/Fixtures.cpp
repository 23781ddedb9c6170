#include "support/Fixtures.h"

#include "store/EmptyStore.h"
#include "store/AppFolder.h"
#include "store/TextForms.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QWidget>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

QLocale pinnedLocale()
{
    return QLocale(QLocale::Chinese, QLocale::China);
}

void pinLocale()
{
    QLocale::setDefault(pinnedLocale());
    store::textforms::setUiLocale(pinnedLocale());
}

namespace {

struct Db
{
    sqlite3* db = nullptr;
    explicit Db(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open test store");
        }
    }
    ~Db() { sqlite3_close(db); }
};

struct Stmt
{
    sqlite3_stmt* st = nullptr;
    Stmt(sqlite3* db, const QString& sql)
    {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db));
        }
    }
    ~Stmt() { sqlite3_finalize(st); }
};

} // namespace

TempStore::TempStore()
{
    if (!m_dir.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    store::createEmptyStore(dataFile());
    store::setAppFolder(m_dir.path());
}

TempStore::~TempStore() = default;

QString TempStore::dataFile() const
{
    return m_dir.filePath(QStringLiteral("data.mdb"));
}

void TempStore::exec(const QString& sql) const
{
    Db d(dataFile());
    char* err = nullptr;
    if (sqlite3_exec(d.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string message = err ? err : "exec failed";
        sqlite3_free(err);
        throw std::runtime_error(message);
    }
}

qint64 TempStore::addOrder(const QString& spname,
                           double jj,
                           double sl,
                           double sj,
                           const QString& mjzh,
                           const QString& kddh,
                           const QString& xsdate,
                           const QString& bz) const
{
    Db d(dataFile());
    Stmt s(d.db, QStringLiteral(
                     "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES (?,?,?,?,?,?,?,?)"));
    const QByteArray a = spname.toUtf8(), b = mjzh.toUtf8(), c = kddh.toUtf8(), e = xsdate.toUtf8(),
                     f = bz.toUtf8();
    sqlite3_bind_text(s.st, 1, a.constData(), a.size(), SQLITE_TRANSIENT);
    sqlite3_bind_double(s.st, 2, jj);
    sqlite3_bind_double(s.st, 3, sl);
    sqlite3_bind_double(s.st, 4, sj);
    sqlite3_bind_text(s.st, 5, b.constData(), b.size(), SQLITE_TRANSIENT);
    sqlite3_bind_text(s.st, 6, c.constData(), c.size(), SQLITE_TRANSIENT);
    sqlite3_bind_text(s.st, 7, e.constData(), e.size(), SQLITE_TRANSIENT);
    if (bz.isNull()) {
        sqlite3_bind_null(s.st, 8);
    } else {
        sqlite3_bind_text(s.st, 8, f.constData(), f.size(), SQLITE_TRANSIENT);
    }
    if (sqlite3_step(s.st) != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(d.db));
    }
    return sqlite3_last_insert_rowid(d.db);
}

qint64 TempStore::count(const QString& where) const
{
    Db d(dataFile());
    Stmt s(d.db, QStringLiteral("SELECT count(*) FROM ddlist ") + where);
    sqlite3_step(s.st);
    return sqlite3_column_int64(s.st, 0);
}

QString TempStore::cell(qint64 id, const QString& column) const
{
    Db d(dataFile());
    Stmt s(d.db, QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ddlist WHERE id=") +
                     QString::number(id));
    if (sqlite3_step(s.st) != SQLITE_ROW || sqlite3_column_type(s.st, 0) == SQLITE_NULL) {
        return QString();
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0));
    return QString::fromUtf8(text, sqlite3_column_bytes(s.st, 0));
}

SmallDisk::SmallDisk(const QString& size)
{
    m_mounted = geteuid() == 0 && QProcess::execute(QStringLiteral("mount"),
                                                    {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                     QStringLiteral("-o"), QStringLiteral("size=") + size,
                                                     QStringLiteral("tmpfs"), m_dir.path()}) == 0;
}

QString SmallDisk::makeStore() const
{
    const QString dataFile = QDir(folder()).filePath(QStringLiteral("data.mdb"));
    store::createEmptyStore(dataFile);
    store::setAppFolder(folder());
    return dataFile;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted) {
        QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
}

void StoreTest::SetUp()
{
    pinLocale();
    store = std::make_unique<TempStore>();
}

void StoreTest::TearDown()
{
    store.reset();
}

void GuiTest::SetUp()
{
    StoreTest::SetUp();
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
}

void GuiTest::TearDown()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->close();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::msgbox_seam::reset();
    StoreTest::TearDown();
}

} // namespace testsupport
