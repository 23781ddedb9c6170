#include "bench/generator.h"

#include "store/EmptyStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <random>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

namespace {

const char* const brands[] = {"优品", "华韵", "星辰", "小米粒", "云朵",
                              "锦绣", "青竹", "暖阳", "北极熊", "山海"};
const char* const goods[] = {
    "纯棉T恤",  "保温杯",   "蓝牙耳机", "手机壳", "连衣裙", "运动鞋", "双肩包",     "数据线",   "台灯",
    "毛绒玩具", "茶叶礼盒", "蜂蜜",     "牛仔裤", "羽绒服", "围巾",   "收纳盒",     "菜刀",     "砧板",
    "香薰蜡烛", "笔记本",   "钢笔",     "雨伞",   "拖鞋",   "枕头",   "床单四件套", "电热水壶", "移动电源",
    "鼠标垫",   "键盘",     "护手霜",   "面膜",   "口红",   "洗发水", "猫粮",       "狗绳",     "花盆",
    "绿萝",     "咖啡豆",   "坚果礼包", "月饼",   "帆布鞋", "太阳镜", "手表带",     "发夹",     "卫衣",
    "袜子",     "皮带",     "钱包",     "相框",   "挂钟"};
const char* const variants[] = {"（白色）", "（黑色）", "（L码）", "（M码）", "500ml",
                                "套装",     "加厚款",   "新款",    "升级版",  ""};
const char* const couriers[] = {"SF", "YT", "ZTO", "STO", "YD", "JD"};
const char* const remarks[] = {"",     "加急",   "顾客要求周末送达", "赠品：小样两份", "已退款",
                               "换货", "老客户", "包装破损已补发",   "开发票",         "备注：不要放快递柜"};

struct Db
{
    sqlite3* db = nullptr;
    ~Db() { sqlite3_close(db); }
};

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
}

} // namespace

QString storeFolder(qint64 orders)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("tallywick-bench/%1").arg(orders));
    const QString file = folder + QStringLiteral("/data.mdb");
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(folder);
        StoreShape shape;
        shape.orders = orders;
        QFile::remove(file + QStringLiteral(".part"));
        generateStore(file + QStringLiteral(".part"), shape);
        QFile::rename(file + QStringLiteral(".part"), file);
    }
    return folder;
}

std::size_t readEveryCell(sqlite3* db, const char* sql)
{
    std::size_t bytes = 0;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            sqlite3_column_text(st, c); // the cell made text, as a reader of cells would have it
            bytes += std::size_t(sqlite3_column_bytes(st, c));
        }
    }
    sqlite3_finalize(st);
    return bytes;
}

long peakKb(const QString& statusFile)
{
    QFile status(statusFile);
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

QString commonKeyword()
{
    return QStringLiteral("保温杯");
}

void generateStore(const QString& path, const StoreShape& shape)
{
    store::createEmptyStore(path);
    Db d;
    check(sqlite3_open_v2(path.toUtf8().constData(), &d.db, SQLITE_OPEN_READWRITE, nullptr), d.db);
    check(sqlite3_exec(d.db, "PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr), d.db);
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(
              d.db, "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES (?,?,?,?,?,?,?,?)", -1,
              &st, nullptr),
          d.db);
    std::mt19937 rng(shape.seed);
    auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    const QDate firstDay = shape.lastDay.addYears(-shape.years).addDays(1);
    const qint64 days = firstDay.daysTo(shape.lastDay) + 1;
    for (qint64 i = 0; i < shape.orders; ++i) {
        // Ids grow with the date, as they do when a seller records each day's orders.
        const QDate day = firstDay.addDays(i * days / shape.orders);
        const QByteArray name = QByteArray(brands[pick(10)]) + goods[pick(50)] + variants[pick(10)];
        const double jj = (pick(20000) + 100) / 100.0;
        const double sl = pick(10) < 8 ? 1 : pick(5) + 2;
        const double sj = jj * (1.1 + pick(80) / 100.0);
        const QByteArray buyer = QByteArray("买家") + QByteArray::number(pick(50000)) + "号";
        const QByteArray waybill =
            QByteArray(couriers[pick(6)]) + QByteArray::number(qint64(rng()) * 1000 + pick(1000));
        const QByteArray date = day.toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        sqlite3_reset(st);
        sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 2, jj);
        sqlite3_bind_double(st, 3, sl);
        sqlite3_bind_double(st, 4, std::round(sj * 100) / 100);
        sqlite3_bind_text(st, 5, buyer.constData(), int(buyer.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 6, waybill.constData(), int(waybill.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 7, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        if (pick(3) == 0) {
            const char* remark = remarks[pick(10)];
            sqlite3_bind_text(st, 8, remark, -1, SQLITE_STATIC);
        } else {
            sqlite3_bind_null(st, 8);
        }
        check(sqlite3_step(st), d.db);
    }
    sqlite3_finalize(st);
    check(sqlite3_exec(d.db, "COMMIT", nullptr, nullptr, nullptr), d.db);
}

} // namespace bench
