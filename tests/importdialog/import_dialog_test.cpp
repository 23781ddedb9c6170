// Imports through the dialog, driven by its seams: the committed samples and files written here, the rows
// left out and ticked back in, files that cannot be read, a failed insert, and the export read back in.
#include "entry/DailyBackup.h"
#include "export/support/ExportFixture.h"
#include "importdialog/ImportDialog.h"
#include "importdialog/ImportFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>

namespace store {
void PrintTo(const Order& o, std::ostream* os)
{
    *os << QStringList{o.goods,
                       o.buyer,
                       o.quantity.text(),
                       o.purchasePrice.text(),
                       o.sellingPrice.text(),
                       o.saleDate.toString(Qt::ISODate),
                       o.waybill,
                       o.remark.value_or(QStringLiteral("<none>"))}
               .join(QLatin1Char('|'))
               .toStdString();
}
} // namespace store

namespace {

using importdialog::ImportDialog;
using Hook = std::function<void(ImportDialog&)>;

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

template <class W> W* control(ImportDialog& dialog, const char* name)
{
    W* w = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
QString summary(ImportDialog& dialog)
{
    return control<QLabel>(dialog, "summaryLabel")->text();
}
void press(ImportDialog& dialog, const char* button)
{
    control<QPushButton>(dialog, button)->click();
}
QAbstractItemModel* leftOut(ImportDialog& dialog)
{
    return control<QListView>(dialog, "leftOutList")->model();
}

store::Order order(const char16_t* goods,
                   const char16_t* buyer,
                   double quantity,
                   double purchase,
                   double selling,
                   QDate day,
                   const char16_t* waybill,
                   const char16_t* remark)
{
    return {
        0,   s(goods),   s(buyer), store::Number(quantity), store::Number(purchase), store::Number(selling),
        day, s(waybill), s(remark)};
}

std::vector<store::Order> sorted(std::vector<store::Order> orders)
{
    for (store::Order& o : orders) {
        o.id = 0;
    }
    std::sort(orders.begin(), orders.end(), [](const auto& a, const auto& b) {
        return std::tie(a.waybill, a.goods) < std::tie(b.waybill, b.goods);
    });
    return orders;
}

class ImportTest : public exporttest::ExportTest
{
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        entry::backup_seam::reset();
    }
    void TearDown() override
    {
        importdialog::importdialog_seam::reset();
        importdialog::importfile_seam::reset();
        ExportTest::TearDown();
    }

    // Imports the file into the store of dataFile (the test's own by default), the dialog handled by hook.
    std::optional<importdialog::ImportDone>
    import(const QString& path, const Hook& hook, QString dataFile = {})
    {
        shown = false;
        importdialog::importdialog_seam::setShownHook([this, hook](ImportDialog& dialog) {
            shown = true;
            hook(dialog);
        });
        return importdialog::importFile(
            nullptr, store::OrderStore(dataFile.isEmpty() ? store->dataFile() : dataFile), path);
    }
    static std::vector<store::Order> stored(const QString& dataFile)
    {
        const store::OrderStore orders(dataFile);
        return sorted(orders.read(orders.list(store::OrderFilter::everyOrder()).ids));
    }
    QStringList copies() const
    {
        return QDir(store->folder() + QStringLiteral("/backups"))
            .entryList({QStringLiteral("data-before-import-*")}, QDir::Files);
    }
    QString write(const char* name, const QString& text) const
    {
        QFile file(out.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return file.fileName();
    }

    bool shown = false;
};

const QString header = QStringLiteral("商品名称,买家呢称,购买数量,进价,售价,销售日期,快递单号,备注\n");

TEST_F(ImportTest, SampleFilesImportTheirOrders)
{
    const struct
    {
        const char* file;
        const char* encoding; // empty for a workbook, which has none
        const char16_t* separator;
        const char16_t* summary;
        const char16_t* thirdWaybill;
        const char16_t* thirdRemark;
    } cases[] = {
        {"orders_gbk.csv", "GB18030 (GBK)", u"逗号", u"将导入 3 条定单，跳过 0 条", u"ZTO-778899", u"加急"},
        {"orders_utf8.csv", "UTF-8", u"逗号", u"将导入 3 条定单，跳过 0 条", u"ZTO-778899", u"加急"},
        {"orders_utf8_bom.csv", "UTF-8", u"逗号", u"将导入 3 条定单，跳过 0 条", u"ZTO-778899", u"加急"},
        {"orders_tab.txt", "UTF-8", u"制表符", u"将导入 3 条定单，跳过 0 条", u"ZTO-778899", u"加急"},
        {"orders_openpyxl.xlsx", "", u"", u"将导入 3 条定单，跳过 2 条", u"778899", u"TRUE"},
        {"orders_xlwt.xls", "", u"", u"将导入 3 条定单，跳过 1 条", u"778899", u"加急"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const testsupport::TempStore target;
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        const auto done = import(
            QStringLiteral(TALLY_IMPORT_DATA "/") + QString::fromUtf8(c.file),
            [&](ImportDialog& d) {
                auto* encoding = control<QComboBox>(d, "encodingBox");
                EXPECT_EQ(encoding->isVisibleTo(&d), *c.encoding != 0);
                EXPECT_EQ(summary(d), s(c.summary));
                EXPECT_EQ(control<QTableWidget>(d, "previewTable")->horizontalHeaderItem(1)->text(),
                          QStringLiteral("B"));
                EXPECT_EQ(control<QComboBox>(d, "buyerColumn")->currentText(), QStringLiteral("B：买家呢称"));
                if (*c.encoding) {
                    EXPECT_EQ(encoding->currentText(), QString::fromUtf8(c.encoding));
                    EXPECT_EQ(control<QComboBox>(d, "separatorBox")->currentText(), s(c.separator));
                    // Read with another encoding the headers name nothing; read right again, they do.
                    const int right = encoding->currentIndex();
                    encoding->setCurrentIndex(right == 0 ? 1 : 0);
                    EXPECT_EQ(summary(d), QStringLiteral("请为“商品名称”选择一列，或者填写一个统一的值。"));
                    EXPECT_FALSE(control<QPushButton>(d, "importButton")->isEnabled());
                    encoding->setCurrentIndex(right);
                    EXPECT_EQ(summary(d), s(c.summary));
                }
                press(d, "importButton");
            },
            target.dataFile());
        ASSERT_TRUE(done.has_value());
        EXPECT_EQ(stored(target.dataFile()),
                  sorted({order(u"连衣裙 夏季新款", u"小王123", 2, 45.5, 89.9, {2026, 3, 8}, u"SF1234567890",
                                u"包邮"),
                          order(u"T恤 白色", u"李四", 1, 19.99, 15, {2026, 12, 4}, u"YT0000000001", u""),
                          order(u"手机壳", u"buyer_tom", 10, 3.2, 9.9, {2025, 2, 28}, c.thirdWaybill,
                                c.thirdRemark)}));
        EXPECT_EQ(done->imported, 3);
        EXPECT_EQ(done->first, QDate(2025, 2, 28));
        EXPECT_EQ(done->last, QDate(2026, 12, 4));
        EXPECT_TRUE(QFileInfo(done->copyPath).isFile());
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
        EXPECT_EQ(ui::msgbox_seam::shown()[0].title, QStringLiteral("提示"));
        EXPECT_EQ(lastMessage(), QStringLiteral("已导入 3 条定单。\n导入前的数据已另存为 backups/") +
                                     QFileInfo(done->copyPath).fileName());
    }
    importdialog::importfile_seam::setNextFileName(QStringLiteral("/a.csv"));
    EXPECT_EQ(importdialog::askImportFile(nullptr), QStringLiteral("/a.csv"));
    EXPECT_EQ(importdialog::askImportFile(nullptr), QString()); // nothing queued: cancelled
}

TEST_F(ImportTest, QuotedFieldsAndDatesInEachForm)
{
    const struct
    {
        std::array<const char*, 3> dates;
        int chosenForm; // -1: the form is told by the dates themselves
        std::array<QDate, 3> expected;
    } cases[] = {
        {{"2026-12-04", "2026年1月13日", "2026/2/5 13:45:00"},
         -1,
         {{{2026, 12, 4}, {2026, 1, 13}, {2026, 2, 5}}}},
        {{"04.12.2026", "13.01.2026", "5-2-2026"}, -1, {{{2026, 12, 4}, {2026, 1, 13}, {2026, 2, 5}}}},
        {{"12/04/2026", "01/13/2026", "2-5-2026"}, -1, {{{2026, 12, 4}, {2026, 1, 13}, {2026, 2, 5}}}},
        {{"04/12/2026", "01/02/2026", "05/11/2026"}, 1, {{{2026, 12, 4}, {2026, 2, 1}, {2026, 11, 5}}}},
    };
    const QString goods[] = {QStringLiteral("裙子, 红色"), QStringLiteral("他说\"好\""),
                             QStringLiteral("第一行\n第二行")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dates[0]);
        // No buyer column: the buyer is typed once for every row.
        QString text = QStringLiteral("商品名称,购买数量,进价,售价,销售日期,快递单号\n");
        for (int i = 0; i < 3; ++i) {
            QString quoted = goods[i];
            text += QStringLiteral("\"%1\",1,2,3,%2,W%3\n")
                        .arg(quoted.replace(QStringLiteral("\""), QStringLiteral("\"\"")),
                             QString::fromUtf8(c.dates[i]))
                        .arg(i);
        }
        const testsupport::TempStore target;
        ASSERT_TRUE(import(
            write("dates.csv", text),
            [&](ImportDialog& d) {
                EXPECT_EQ(summary(d), QStringLiteral("请为“买家呢称”选择一列，或者填写一个统一的值。"));
                control<QLineEdit>(d, "buyerValue")->setText(QStringLiteral("买家"));
                // The file is checked again once the typing pauses.
                EXPECT_TRUE(QTest::qWaitFor([&] { return !summary(d).startsWith(QStringLiteral("请为")); }));
                auto* form = control<QComboBox>(d, "dateFormBox");
                if (c.chosenForm >= 0) {
                    EXPECT_EQ(form->currentIndex(), -1);
                    EXPECT_EQ(summary(d), QStringLiteral("请选择销售日期的格式：文件中的日期分不清日和月。"));
                    EXPECT_FALSE(control<QPushButton>(d, "importButton")->isEnabled());
                    form->setCurrentIndex(c.chosenForm);
                }
                EXPECT_EQ(summary(d), QStringLiteral("将导入 3 条定单，跳过 0 条"));
                press(d, "importButton");
            },
            target.dataFile()));
        const std::vector<store::Order> orders = stored(target.dataFile());
        ASSERT_EQ(orders.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(orders[i].goods, goods[i]);
            EXPECT_EQ(orders[i].buyer, QStringLiteral("买家"));
            EXPECT_EQ(orders[i].saleDate, c.expected[i]);
        }
    }
}

TEST_F(ImportTest, FailingRowsAndDuplicatesAreLeftOutUnlessTickedIn)
{
    store->addOrder(QStringLiteral("旧"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("SF1"),
                    QStringLiteral("2026-12-01"));
    const QString file = write("rows.csv", header + QStringLiteral("杯子,甲,1,2,3,2026-12-01,SF1,\n"
                                                                   "杯子,甲,1,2,3,2026-12-01,N1,\n"
                                                                   "碗,乙,2,2,3,2026-12-02,N1,\n"
                                                                   "碗,乙,两个,2,3,2026-12-02,N3,\n"
                                                                   "碗,,2,2,3,2026-12-02,N4,\n"
                                                                   "碗,乙,2,2,3,2026-02-30,N5,\n"
                                                                   "杯子,甲,1,2,3,2026-12-01,N2,\n"));
    const QStringList expected = {
        QStringLiteral("第 2 行：快递单号 SF1 已在账本中"),
        QStringLiteral("第 4 行：快递单号 N1 与第 3 行相同"),
        QStringLiteral("第 5 行：购买数量不是数字：“两个”"),
        QStringLiteral("第 6 行：缺少买家呢称"),
        QStringLiteral("第 7 行：销售日期无法识别，或不在 1753 年到 9999 年之间：“2026-02-30”"),
    };
    const auto check = [&](ImportDialog& d) {
        QAbstractItemModel* list = leftOut(d);
        QStringList lines;
        for (int r = 0; r < list->rowCount(); ++r) {
            lines.append(list->index(r, 0).data().toString());
            // Only the duplicates can be ticked in, and none is at first.
            EXPECT_EQ(list->index(r, 0).data(Qt::CheckStateRole).isValid(), r < 2) << r;
            EXPECT_NE(list->index(r, 0).data(Qt::CheckStateRole), Qt::Checked);
        }
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(summary(d), QStringLiteral("将导入 2 条定单，跳过 5 条"));
    };

    EXPECT_FALSE(import(file, [&](ImportDialog& d) {
        check(d);
        press(d, "cancelButton");
    }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(store->count(), 1);
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());

    ASSERT_TRUE(import(file, [&](ImportDialog& d) {
        check(d);
        EXPECT_TRUE(leftOut(d)->setData(leftOut(d)->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        EXPECT_EQ(summary(d), QStringLiteral("将导入 3 条定单，跳过 4 条"));
        // A check made again (the header box off and on) keeps the tick.
        for (const bool header : {false, true}) {
            d.findChild<QCheckBox*>(QStringLiteral("headerBox"))->setChecked(header);
        }
        EXPECT_EQ(summary(d), QStringLiteral("将导入 3 条定单，跳过 4 条"));
        press(d, "importButton");
    }));
    const std::vector<store::Order> orders = stored(store->dataFile());
    ASSERT_EQ(orders.size(), 4u);
    EXPECT_EQ(orders[0], order(u"杯子", u"甲", 1, 2, 3, {2026, 12, 1}, u"N1", u""));
    EXPECT_EQ(orders[1], order(u"碗", u"乙", 2, 2, 3, {2026, 12, 2}, u"N1", u""));
    EXPECT_EQ(orders[2].waybill, QStringLiteral("N2")); // the same order as row 3 but for its waybill
    EXPECT_EQ(orders[3].goods, QStringLiteral("旧"));
    EXPECT_EQ(copies().size(), 1);
}

TEST_F(ImportTest, UnreadableFilesAreToldAndNothingChanges)
{
    for (const char* file :
         {"truncated.xlsx", "bad_checksum.xlsx", "not_a_workbook.xlsx", "empty.csv", "binary.csv"}) {
        SCOPED_TRACE(file);
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        EXPECT_FALSE(import(QStringLiteral(TALLY_IMPORT_DATA "/") + QString::fromUtf8(file),
                            [](ImportDialog& d) { press(d, "importButton"); }));
        EXPECT_FALSE(shown);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
        EXPECT_EQ(ui::msgbox_seam::shown()[0].title, QStringLiteral("提示"));
        EXPECT_TRUE(lastMessage().contains(QString::fromUtf8(file))) << lastMessage().toStdString();
    }
    EXPECT_EQ(store->count(), 0);
    EXPECT_FALSE(QDir(store->folder()).exists(QStringLiteral("backups")));
}

TEST_F(ImportTest, AFailedInsertStoresNothingAndSaysSo)
{
    // The third order is refused after the first two went in: the transaction takes them back.
    store->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON ddlist WHEN NEW.spname = '手机壳' "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_FALSE(import(QStringLiteral(TALLY_IMPORT_DATA "/orders_utf8.csv"),
                        [](ImportDialog& d) { press(d, "importButton"); }));
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("定单没有导入，数据文件没有改变。\n")))
        << lastMessage().toStdString();
    EXPECT_EQ(store->count(), 0);
}

TEST_F(ImportTest, ExportedOrdersImportValueForValue)
{
    const std::vector<store::Order> orders = {
        order(u"O'Brien's \"好\" 杯, 大", u"=SUM(A1)", 0.1, 12.5, -2, {2026, 12, 9}, u"00123", u"'=A1"),
        order(u"'开头撇号", u"%1 %2", 1.5, 0.1, 12.5, {2026, 1, 1}, u"123456789012345678", u"第一行\n第二行"),
        order(u"-abc", u"@home", -2, 1.5, 0.1, {2025, 2, 28}, u"+86 138", u""),
        order(u"中文商品", u"买家, 逗号", 12.5, -2, 1.5, {2024, 2, 29}, u"SF1", u"''双撇号"),
    };
    store::OrderStore(store->dataFile()).insertAll(orders);
    xl::savefile_seam::setNextFileName(out.filePath(QStringLiteral("回读.xlsx")));
    xl::savefile_seam::setNextAnswer(out.filePath(QStringLiteral("回读.csv")),
                                     QStringLiteral("CSV 文件 (*.csv)"));
    ASSERT_TRUE(exportListing());
    ASSERT_TRUE(exportListing());
    for (const char* file : {"回读.xlsx", "回读.csv"}) {
        SCOPED_TRACE(file);
        const testsupport::TempStore target;
        ASSERT_TRUE(import(
            out.filePath(QString::fromUtf8(file)), [](ImportDialog& d) { press(d, "importButton"); },
            target.dataFile()));
        EXPECT_EQ(stored(target.dataFile()), sorted(orders));
    }
}

} // namespace
