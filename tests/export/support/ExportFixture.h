#pragma once

#include "export/ExportOrders.h"
#include "export/SaveQuestion.h"
#include "mainwindow/GridColumns.h"
#include "store/ListedOrders.h"
#include "store/OrderStore.h"
#include "support/Fixtures.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace exporttest {

// Each test: a fresh data.mdb, and the export's working files in a folder of their own, so that a test can
// see that none are left behind.
class ExportTest : public testsupport::GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("tmp")));
        oldTmp = qgetenv("TMPDIR");
        setTmp(out.filePath(QStringLiteral("tmp")));
    }
    void TearDown() override
    {
        xl::savefile_seam::reset();
        qputenv("TMPDIR", oldTmp);
        GuiTest::TearDown();
    }
    void setTmp(const QString& folder)
    {
        tmp = folder;
        qputenv("TMPDIR", QFile::encodeName(folder));
    }
    bool tmpIsEmpty() const
    {
        return QDir(tmp).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QString target(const QString& name = QStringLiteral("定单.xlsx")) const { return out.filePath(name); }
    QString lastMessage() const
    {
        return ui::msgbox_seam::shown().isEmpty() ? QString() : ui::msgbox_seam::shown().last().text;
    }

    // An order that only its goods name tells apart.
    void addGoods(const QString& goods) const
    {
        store->addOrder(goods, 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                        QStringLiteral("2026-12-09"));
    }

    // Lists every stored order as the main window does, newest first, and exports the listing with the
    // grid's columns.
    bool exportListing() const
    {
        store::Listing listing = store::OrderStore(store->dataFile()).list(store::OrderFilter::everyOrder());
        store::ListedOrders listed(store->dataFile(), std::move(listing.ids), std::move(listing.firstOrders));
        return xl::exportOrders(&listed, mainwindow::exportColumns(), nullptr);
    }

    QTemporaryDir out;
    QString tmp;
    QByteArray oldTmp;
};

} // namespace exporttest
