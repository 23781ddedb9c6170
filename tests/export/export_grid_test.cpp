// The export end to end: the listed orders go out through exportOrders with the grid's columns, and the
// file is read back with an independent reader.
#include "ExportFixture.h"
#include "SaveDialogAnswer.h"
#include "WorkbookReadback.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QStringList titles = {QStringLiteral("商品名称"), QStringLiteral("买家呢称"),
                            QStringLiteral("购买数量"), QStringLiteral("进价"),
                            QStringLiteral("售价"),     QStringLiteral("销售日期"),
                            QStringLiteral("快递单号"), QStringLiteral("备注")};

class ExportTest : public exporttest::ExportTest
{
protected:
    exporttest::ReadSheet exportAndRead(const QString& path)
    {
        xl::savefile_seam::setNextFileName(path);
        EXPECT_TRUE(exportListing());
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
        QString error;
        exporttest::ReadSheet sheet = exporttest::readWorkbook(path, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return sheet;
    }

    // The titles are row 1, in bold; each stored order, newest first, is a row below, every column as the
    // grid shows it: numbers as numbers of the stored value, the date as a date in the short date form, the
    // rest as text; all left aligned; empty texts are absent; nothing else is in the sheet.
    void expectMirrorsOrders(const exporttest::ReadSheet& sheet)
    {
        store::Listing listing = store::OrderStore(store->dataFile()).list(store::OrderFilter::everyOrder());
        store::ListedOrders listed(store->dataFile(), std::move(listing.ids));
        int written = 0;
        for (int r = 0; r <= int(listed.size()); ++r) {
            const store::Order* order = r > 0 ? listed.order(std::size_t(r) - 1) : nullptr;
            for (int c = 0; c < 8; ++c) {
                const store::OrderColumn column = mainwindow::exportColumns()[std::size_t(c)].column;
                const QString text = order ? store::shownText(*order, column) : titles[c];
                const exporttest::ReadCell cell = sheet.at(r + 1, c + 1);
                ASSERT_EQ(sheet.has(r + 1, c + 1), !text.isEmpty()) << "row " << r << " column " << c;
                if (text.isEmpty()) {
                    continue;
                }
                ++written;
                const store::ColumnKind kind = order ? store::describe(column).kind : store::ColumnKind::Text;
                if (kind == store::ColumnKind::Number) {
                    const store::Number number = column == store::OrderColumn::Quantity ? order->quantity
                                                 : column == store::OrderColumn::PurchasePrice
                                                     ? order->purchasePrice
                                                     : order->sellingPrice;
                    EXPECT_EQ(cell.type, QStringLiteral("n")) << "row " << r << " column " << c;
                    EXPECT_EQ(cell.number, number.stored()) << "row " << r << " column " << c;
                } else if (kind == store::ColumnKind::Date) {
                    EXPECT_EQ(cell.type, QStringLiteral("d")) << "row " << r;
                    EXPECT_EQ(cell.value, order->saleDate.toString(Qt::ISODate)) << "row " << r;
                    EXPECT_EQ(cell.format, QStringLiteral("yyyy/m/d")) << "row " << r;
                } else {
                    EXPECT_EQ(cell.value, text) << "row " << r << " column " << c;
                    EXPECT_EQ(cell.type, QStringLiteral("s")) << "row " << r << " column " << c;
                }
                EXPECT_EQ(cell.bold, r == 0) << "row " << r << " column " << c;
                EXPECT_EQ(cell.align, QStringLiteral("left")) << "row " << r << " column " << c;
            }
        }
        EXPECT_EQ(sheet.cells.size(), written);
        EXPECT_LE(sheet.maxColumn(), 8);
        // The titles stay in view and filter every row written.
        EXPECT_EQ(sheet.frozen, QStringLiteral("A2"));
        EXPECT_EQ(sheet.filter, QStringLiteral("A1:H%1").arg(listed.size() + 1));
    }
};

TEST_F(ExportTest, EmptyListExportsTheTitlesAlone)
{
    const exporttest::ReadSheet sheet = exportAndRead(target());
    EXPECT_EQ(sheet.sheets, 1);
    EXPECT_EQ(sheet.maxRow(), 1);
    ASSERT_EQ(sheet.cells.size(), 8);
    expectMirrorsOrders(sheet);
    EXPECT_EQ(xl::savefile_seam::asked(), 1);
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, OrdersLandRowByRowTypedWithoutTheId)
{
    // Added oldest first: the listing and the sheet show the newest first.
    store->addOrder(QStringLiteral("a'); drop table ddlist; --"), 0, 1000, 1e15, QStringLiteral("李四"),
                    QStringLiteral("123456789012345678"), QStringLiteral("2026-01-01"),
                    QStringLiteral("多行\n备注"));
    store->addOrder(QStringLiteral("羊毛围巾（灰色）"), 12.5, 0.1, 1e-05, QStringLiteral("张三'"),
                    QStringLiteral(""), QStringLiteral("2026-12-08"), QStringLiteral(""));
    store->addOrder(QStringLiteral("=1+1"), -2, 12, 1.5, QStringLiteral("O'Brien's"),
                    QStringLiteral("000123"), QStringLiteral("2026-12-09"));
    // A file already under the name is replaced whole.
    QFile old(target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a workbook");
    old.close();

    const exporttest::ReadSheet sheet = exportAndRead(target());
    expectMirrorsOrders(sheet);
    // The newest order is sheet row 2; the empty waybill and remark stay untouched, an absent remark is a
    // blank, waybills keep their digits as text.
    EXPECT_EQ(sheet.at(2, 1).value, QStringLiteral("=1+1"));
    EXPECT_EQ(sheet.at(2, 4).number, -2.0);
    EXPECT_EQ(sheet.at(2, 6).value, QStringLiteral("2026-12-09"));
    EXPECT_EQ(sheet.at(2, 7).value, QStringLiteral("000123"));
    EXPECT_EQ(sheet.at(2, 8).value, QStringLiteral(" "));
    EXPECT_EQ(sheet.at(3, 3).number, 0.1);
    EXPECT_EQ(sheet.at(3, 5).number, 1e-05);
    EXPECT_FALSE(sheet.has(3, 7));
    EXPECT_FALSE(sheet.has(3, 8));
    EXPECT_EQ(sheet.at(4, 5).number, 1e15);
    EXPECT_EQ(sheet.at(4, 7).value, QStringLiteral("123456789012345678"));
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, ColumnsAreFittedToTheirLongestText)
{
    store->addOrder(QStringLiteral("b"), 5, 1, 8, QStringLiteral("c"), QStringLiteral("SF1"),
                    QStringLiteral("2026-12-09"), QStringLiteral("r"));
    store->addOrder(QStringLiteral("abcdefghijklmnopqrstuvwxyzabcd"), 5, 1, 8,
                    QStringLiteral("围巾围巾围巾围巾围巾围巾围巾围"), QStringLiteral("SF1234567890"),
                    QStringLiteral("2026-12-09"), QString(300, u'x'));
    const exporttest::ReadSheet sheet = exportAndRead(target());
    expectMirrorsOrders(sheet);
    ASSERT_EQ(sheet.widths.size(), 8);
    // 30 narrow characters and 15 wide ones take the same room.
    EXPECT_DOUBLE_EQ(sheet.widths[1], sheet.widths[2]);
    // Longer texts, wider columns; a column of short numbers is as wide as its title.
    EXPECT_GT(sheet.widths[1], sheet.widths[7]);
    EXPECT_GT(sheet.widths[7], sheet.widths[6]);
    EXPECT_GT(sheet.widths[6], sheet.widths[4]);
    EXPECT_GE(sheet.widths[4], 4.0);
    EXPECT_DOUBLE_EQ(sheet.widths[4], sheet.widths[5]);
    // Never wider than the spreadsheet allows.
    EXPECT_GE(sheet.widths[8], 255.0);
    EXPECT_LT(sheet.widths[8], 256.0);
}

TEST_F(ExportTest, CancelWritesNothingAndSaysNothing)
{
    addGoods(QStringLiteral("杯子"));
    xl::savefile_seam::setNextFileName(QString());
    EXPECT_FALSE(exportListing());
    EXPECT_EQ(xl::savefile_seam::asked(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 0);
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, UnwritableTargetIsReportedAndLeavesNoFile)
{
    addGoods(QStringLiteral("杯子"));
    QFile plain(target(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QStringList targets = {target(QStringLiteral("missing/定单.xlsx")),
                                 target(QStringLiteral("plain/定单.xlsx")), tmp};
    for (const QString& path : targets) {
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        xl::savefile_seam::setNextFileName(path);
        EXPECT_FALSE(exportListing()) << path.toStdString();
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1) << path.toStdString();
        const ui::msgbox_seam::Shown box = ui::msgbox_seam::shown().first();
        EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(path))) << box.text.toStdString();
        EXPECT_EQ(box.flags, ui::MB_OK);
        EXPECT_EQ(box.title, QCoreApplication::applicationName()); // no title of its own
    }
    EXPECT_FALSE(QFile::exists(target(QStringLiteral("missing"))));
    EXPECT_EQ(QFileInfo(plain.fileName()).size(), 0);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1); // only "plain"
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, TextLongerThanACellHoldsIsCutAndNamedOnceTheWorkbookIsSaved)
{
    // A 40,000-character remark, a text whose limit falls inside a character, and more long cells than
    // the notice names. Added oldest first.
    addGoods(QStringLiteral("短"));
    for (int i = 0; i < 5; ++i) {
        addGoods(QString(32768, u'x'));
    }
    const QString remark = QString(40000, u'备');
    const QString emoji = QString(32766, u'a') + QStringLiteral("😀b");
    store->addOrder(QStringLiteral("长备注"), 1, 1, 1, emoji, QStringLiteral("k"),
                    QStringLiteral("2026-12-09"), remark);

    const exporttest::ReadSheet sheet = [&] {
        xl::savefile_seam::setNextFileName(target());
        EXPECT_TRUE(exportListing());
        QString error;
        exporttest::ReadSheet read = exporttest::readWorkbook(target(), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return read;
    }();
    EXPECT_EQ(sheet.at(2, 8).value, remark.left(32767));
    EXPECT_EQ(sheet.at(2, 2).value, QString(32766, u'a')) << "half a character was written";
    EXPECT_EQ(sheet.at(3, 1).value.size(), 32767);
    EXPECT_EQ(sheet.at(8, 1).value, QStringLiteral("短"));

    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    const ui::msgbox_seam::Shown notice = ui::msgbox_seam::shown().first();
    EXPECT_EQ(notice.title, QStringLiteral("提示"));
    EXPECT_EQ(notice.flags, ui::MB_OK_EXCLAMATION);
    EXPECT_TRUE(notice.text.startsWith(QStringLiteral("工作簿已经保存"))) << notice.text.toStdString();
    EXPECT_TRUE(notice.text.contains(QStringLiteral("32767"))) << notice.text.toStdString();
    EXPECT_TRUE(notice.text.contains(QStringLiteral("有 7 个单元格"))) << notice.text.toStdString();
    EXPECT_TRUE(notice.text.contains(
        QStringLiteral("第 2 行第 2 列、第 2 行第 8 列、第 3 行第 1 列、第 4 行第 1 列、第 5 行第 1 列等")))
        << notice.text.toStdString();
    EXPECT_FALSE(notice.text.contains(QStringLiteral("第 6 行"))) << notice.text.toStdString();
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, AWorkbookThatCannotBeBegunIsReportedWhenItIsAdded)
{
    // The in-process application always starts; what it cannot do without a working folder is begin the
    // workbook, and that is told at the same step.
    addGoods(QStringLiteral("杯子"));
    QFile notAFolder(out.filePath(QStringLiteral("file")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    qputenv("TMPDIR", QFile::encodeName(notAFolder.fileName()));
    xl::savefile_seam::setNextFileName(target());
    EXPECT_FALSE(exportListing());
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_FALSE(ui::msgbox_seam::shown().first().text.isEmpty());
    EXPECT_EQ(ui::msgbox_seam::shown().first().title, QCoreApplication::applicationName());
    EXPECT_EQ(xl::savefile_seam::asked(), 0);
    EXPECT_FALSE(QFile::exists(target()));
}

// The real save question, answered by a queued step that finds the dialog once it is up.
TEST_F(ExportTest, SaveDialogOffersAWorkbookNameAndCanBeCancelled)
{
    addGoods(QStringLiteral("杯子"));
    bool asked = false;
    exporttest::answerSaveDialog([&asked](QFileDialog& dialog) {
        asked = true;
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        ASSERT_EQ(dialog.nameFilters().size(), 2);
        EXPECT_TRUE(dialog.nameFilters().first().contains(QStringLiteral("*.xlsx")));
        EXPECT_EQ(dialog.selectedNameFilter(), dialog.nameFilters().first());
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("xlsx"));
        ASSERT_FALSE(dialog.selectedFiles().isEmpty());
        const QFileInfo offered(dialog.selectedFiles().first());
        EXPECT_EQ(offered.fileName(), QStringLiteral("定单.xlsx"));
        dialog.reject();
    });
    EXPECT_FALSE(exportListing());
    EXPECT_TRUE(asked);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_TRUE(tmpIsEmpty());

    // Chosen without the suffix, the file still gets it.
    exporttest::answerSaveDialog([this](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(target(QStringLiteral("本月")));
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_TRUE(exportListing());
    QString error;
    const exporttest::ReadSheet sheet = exporttest::readWorkbook(target(QStringLiteral("本月.xlsx")), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(sheet.at(2, 1).value, QStringLiteral("杯子"));
}

TEST_F(ExportTest, TextAfterANulIsNotCutOff)
{
    store->addOrder(QStringLiteral("g"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"), QStringLiteral("前") + QChar(0) + QStringLiteral("后"));
    const exporttest::ReadSheet sheet = exportAndRead(target());
    EXPECT_TRUE(sheet.at(2, 8).value.startsWith(QStringLiteral("前")));
    EXPECT_TRUE(sheet.at(2, 8).value.endsWith(QStringLiteral("后")));
}

TEST_F(ExportTest, AListLongerThanASheetIsToldBeforeAnythingIsWritten)
{
    // One order more than a sheet's rows, the title row aside; nothing of them is read.
    store::ListedOrders listed(store->dataFile(), std::vector<qint64>(1048577, 1));
    xl::savefile_seam::setNextFileName(target());
    EXPECT_FALSE(xl::exportOrders(&listed, mainwindow::exportColumns(), nullptr));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().first().text.contains(QStringLiteral("1048577")));
    EXPECT_EQ(xl::savefile_seam::asked(), 0);
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_TRUE(tmpIsEmpty());
}

// The store failing under the export (here its file gone since the listing) is told in the store's own
// words, and nothing is written.
TEST_F(ExportTest, AStoreFailureIsToldInTheStoresWords)
{
    store->addOrder(QStringLiteral("茶杯"), 1, 2, 3, QStringLiteral("a"), QStringLiteral("SF1"),
                    QStringLiteral("2026-12-09"));
    store::ListedOrders listed(store->dataFile(), {1});
    ASSERT_TRUE(QFile::remove(store->dataFile()));
    xl::savefile_seam::setNextFileName(target());
    EXPECT_FALSE(xl::exportOrders(&listed, mainwindow::exportColumns(), nullptr));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    try {
        store::OrderStore(store->dataFile()).list(store::OrderFilter::everyOrder());
        ADD_FAILURE() << "the store is gone";
    } catch (const store::StoreError& e) {
        EXPECT_EQ(ui::msgbox_seam::shown().first().text, e.description());
    }
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_TRUE(tmpIsEmpty());
}

} // namespace
