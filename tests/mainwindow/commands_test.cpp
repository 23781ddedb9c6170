#include "entry/EntryWindow.h"
#include "entry/OpenEntryWindow.h"
#include "mainwindow/MainTexts.h"
#include "mainwindow/MainWindow.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <optional>

namespace {

// Takes the links' addresses instead of a browser.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// What one opening of the entry window looked like.
struct Opening
{
    bool editMode = false;
    QString title;
    QString spname;
};

class CommandsTest : public testsupport::GuiTest
{
protected:
    mainwindow::MainWindow* form = nullptr;
    QList<Opening> openings;
    std::function<void(entry::EntryWindow&)> drive; // runs inside each opening, after it was recorded

    void SetUp() override
    {
        GuiTest::SetUp();
        entry::entry_seam::setShownHook([this](entry::EntryWindow& w) {
            openings.append(Opening{w.editMode(), w.windowTitle(), box(w, "spname")->text()});
            if (drive) {
                drive(w);
            }
        });
    }
    void TearDown() override
    {
        entry::entry_seam::reset();
        GuiTest::TearDown();
    }

    static QString isoDay(int daysFromToday)
    {
        return QDate::currentDate().addDays(daysFromToday).toString(Qt::ISODate);
    }
    qint64 addToday(const QString& spname, int daysFromToday = 0)
    {
        return store->addOrder(spname, 1, 2, 3, QStringLiteral("买家"), QStringLiteral("K"),
                               isoDay(daysFromToday));
    }

    void showForm()
    {
        form = new mainwindow::MainWindow;
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }

    static QLineEdit* box(entry::EntryWindow& w, const char* name)
    {
        return w.findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    QPoint cellCentre(int row, int col) const
    {
        ui::FlexGrid* grid = form->orderGrid;
        return grid->visualRect(grid->model()->index(row - 1, col)).center();
    }
    // A real double click: press and release, then the double click and its release.
    void doubleClickCell(int row, int col)
    {
        QWidget* viewport = form->orderGrid->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(row, col));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, cellCentre(row, col));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(row, col));
    }
    void clickCell(int row, int col)
    {
        QTest::mouseClick(form->orderGrid->viewport(), Qt::LeftButton, {}, cellCentre(row, col));
    }

    QStringList listedIds() const
    {
        QStringList ids;
        for (int r = 1; r < form->orderGrid->Rows(); ++r) {
            ids << form->orderGrid->TextMatrix(r, 0);
        }
        return ids;
    }
    static QString id(qint64 value) { return QString::number(value); }
    // The selected order's id as text; empty for none.
    QString selected() const { return form->selectedOrderId() ? id(*form->selectedOrderId()) : QString(); }

    // Answers the next message box and presses b3.
    void deleteAnswering(int answer)
    {
        ui::msgbox_seam::setNextAnswer(answer);
        QTest::mouseClick(form->deleteOrderButton, Qt::LeftButton);
    }
    // Lists a day that has no orders through the filter, so the grid is empty and the selected order stays.
    void queryEmptyDay()
    {
        const QString past = store::textforms::dateText(QDate(2001, 1, 1));
        form->startDateBox->setText(past);
        form->endDateBox->setText(past);
        QTest::mouseClick(form->queryButton, Qt::LeftButton);
        ASSERT_EQ(form->orderGrid->Rows(), 1);
    }
};

} // namespace

TEST_F(CommandsTest, NewOrderOpensEmptyEvenWithASelectionAndItsSaveIsListed)
{
    addToday(QStringLiteral("旧单"));
    showForm();
    ASSERT_FALSE(selected().isEmpty());
    drive = [](entry::EntryWindow& w) {
        box(w, "spname")->setText(QStringLiteral("新单"));
        box(w, "sl")->setText(QStringLiteral("1"));
        box(w, "jj")->setText(QStringLiteral("2"));
        box(w, "sj")->setText(QStringLiteral("3"));
        box(w, "mjzh")->setText(QStringLiteral("甲"));
        box(w, "kddh")->setText(QStringLiteral("SF9"));
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    };
    QTest::mouseClick(form->newOrderButton, Qt::LeftButton);
    ASSERT_EQ(openings.size(), 1);
    EXPECT_FALSE(openings[0].editMode);
    EXPECT_EQ(openings[0].title, QStringLiteral("我要记帐"));
    EXPECT_TRUE(openings[0].spname.isEmpty());
    // Saved with today's date, so the refreshed filter list shows it first and selects it.
    EXPECT_EQ(store->count(), 2);
    ASSERT_EQ(form->orderGrid->Rows(), 3);
    EXPECT_EQ(form->orderGrid->TextMatrix(1, 1), QStringLiteral("新单"));
    EXPECT_EQ(selected(), QStringLiteral("2"));
}

TEST_F(CommandsTest, AClickOnAnyColumnSelectsThatRowsOrder)
{
    const qint64 older = addToday(QStringLiteral("一"));
    const qint64 middle = addToday(QStringLiteral("二"));
    const qint64 newest = addToday(QStringLiteral("三"));
    showForm();
    ASSERT_EQ(listedIds(), (QStringList{id(newest), id(middle), id(older)}));
    for (int col = 1; col <= 8; ++col) {
        const int row = 1 + col % 3;
        clickCell(row, col);
        EXPECT_EQ(selected(), listedIds().at(row - 1)) << col;
        EXPECT_EQ(form->orderGrid->Row(), row);
        EXPECT_EQ(form->orderGrid->Col(), 0);
        EXPECT_EQ(form->orderGrid->ColSel(), 8);
    }
}

TEST_F(CommandsTest, EditAndDoubleClickOpenTheSelectedOrderAndTheSaveIsListed)
{
    const qint64 older = addToday(QStringLiteral("旧的"));
    addToday(QStringLiteral("新的"));
    showForm();
    clickCell(2, 3);
    ASSERT_EQ(selected(), id(older));
    drive = [](entry::EntryWindow& w) {
        box(w, "spname")->setText(QStringLiteral("改过的"));
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    };
    QTest::mouseClick(form->editOrderButton, Qt::LeftButton);
    ASSERT_EQ(openings.size(), 1);
    EXPECT_TRUE(openings[0].editMode);
    EXPECT_EQ(openings[0].spname, QStringLiteral("旧的"));
    EXPECT_EQ(store->cell(older, QStringLiteral("spname")), QStringLiteral("改过的"));
    EXPECT_EQ(form->orderGrid->TextMatrix(2, 1), QStringLiteral("改过的"));
    EXPECT_EQ(store->count(), 2);

    // The double click's first click has already selected the row it lands on.
    drive = nullptr;
    doubleClickCell(2, 5);
    ASSERT_EQ(openings.size(), 2);
    EXPECT_TRUE(openings[1].editMode);
    EXPECT_EQ(openings[1].spname, QStringLiteral("改过的"));
    EXPECT_TRUE(ui::msgbox_seam::shown().size() == 1); // the one "保存成功!!"
}

TEST_F(CommandsTest, EditAndDeleteWithoutAListedOrderWarnAndChangeNothing)
{
    showForm(); // an empty store: nothing was ever selected
    const auto expectWarned = [&](QPushButton* button) {
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
        EXPECT_EQ(ui::msgbox_seam::shown().front().text, QStringLiteral("请选择记录后，再操作！！"));
        EXPECT_EQ(ui::msgbox_seam::shown().front().flags, 48);
        EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
        EXPECT_TRUE(openings.isEmpty());
        EXPECT_EQ(form->orderGrid->Rows(), 1); // not listed again: the order added below stays unseen
    };
    ASSERT_TRUE(selected().isEmpty());
    addToday(QStringLiteral("后来的"));
    expectWarned(form->editOrderButton);
    expectWarned(form->deleteOrderButton);

    // A listing that finds nothing keeps the old order selected; the user no longer sees it.
    QTest::mouseClick(form->queryButton, Qt::LeftButton);
    ASSERT_EQ(form->orderGrid->Rows(), 2);
    const QString stale = selected();
    queryEmptyDay();
    ASSERT_EQ(selected(), stale);
    expectWarned(form->editOrderButton);
    expectWarned(form->deleteOrderButton);
    EXPECT_EQ(store->count(), 1);

    // A double click on the empty grid opens a new order rather than the unseen one.
    QTest::mouseDClick(form->orderGrid->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    ASSERT_EQ(openings.size(), 1);
    EXPECT_FALSE(openings[0].editMode);
    EXPECT_TRUE(openings[0].spname.isEmpty());
}

TEST_F(CommandsTest, DeleteAsksFirstDeletesOnlyOnYesAndRefreshesEitherWay)
{
    const qint64 older = addToday(QStringLiteral("旧"));
    const qint64 newer = addToday(QStringLiteral("新"));
    showForm();
    clickCell(2, 1);
    ASSERT_EQ(selected(), id(older));
    const qint64 unseen = addToday(QStringLiteral("后来的"));

    deleteAnswering(ui::IDNO);
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().front().text,
              QStringLiteral("你确认要删除选中记录吗？\r\n\r\n注意：删除后不可恢复！"));
    EXPECT_EQ(ui::msgbox_seam::shown().front().flags, 292);
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
    EXPECT_EQ(store->count(), 3);
    EXPECT_EQ(listedIds(), (QStringList{id(unseen), id(newer), id(older)})); // refreshed
    EXPECT_EQ(selected(), id(unseen));                                       // first row selected

    clickCell(3, 2);
    deleteAnswering(ui::IDYES);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 2); // the question only
    EXPECT_EQ(store->count(), 2);
    EXPECT_EQ(store->count(QStringLiteral("WHERE id=") + id(older)), 0);
    EXPECT_EQ(listedIds(), (QStringList{id(unseen), id(newer)}));
    EXPECT_EQ(selected(), id(unseen));

    // The last listed order: the list empties and the deleted order stays selected, which the user no longer
    // sees.
    clickCell(1, 1);
    deleteAnswering(ui::IDYES);
    clickCell(1, 1);
    deleteAnswering(ui::IDYES);
    EXPECT_EQ(store->count(), 0);
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    QTest::mouseClick(form->deleteOrderButton, Qt::LeftButton);
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().front().text, mainwindow::texts::selectFirst);
}

TEST_F(CommandsTest, DeleteRefreshesTheWayTheListWasMade)
{
    addToday(QStringLiteral("前天"), -2);
    const qint64 today = addToday(QStringLiteral("今天"));
    const qint64 alsoToday = addToday(QStringLiteral("也是今天"));
    showForm();

    // Listed by the filter at start-up: the filter (today) is applied again.
    ASSERT_EQ(listedIds(), (QStringList{id(alsoToday), id(today)}));
    deleteAnswering(ui::IDYES);
    EXPECT_EQ(listedIds(), QStringList{id(today)});

    // After show-all: every order again.
    QTest::mouseClick(form->allOrdersButton, Qt::LeftButton);
    ASSERT_EQ(listedIds().size(), 2);
    deleteAnswering(ui::IDNO);
    EXPECT_EQ(listedIds().size(), 2);
    deleteAnswering(ui::IDYES);
    EXPECT_EQ(listedIds().size(), 1);
    EXPECT_EQ(form->orderGrid->TextMatrix(1, 1), QStringLiteral("前天"));
}

TEST_F(CommandsTest, DeletingAnOrderAlreadyGoneDeletesNothingAndRefreshes)
{
    const qint64 kept = addToday(QStringLiteral("留下"));
    const qint64 gone = addToday(QStringLiteral("别处删了"));
    showForm();
    ASSERT_EQ(selected(), id(gone));
    store->exec(QStringLiteral("DELETE FROM ddlist WHERE id=") + id(gone));

    deleteAnswering(ui::IDYES);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 1); // the question, nothing after it
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(listedIds(), QStringList{id(kept)});
    EXPECT_EQ(selected(), id(kept));
}

TEST_F(CommandsTest, AStoreFailureIsToldAndLeavesTheWindowAsItWas)
{
    addToday(QStringLiteral("一"));
    showForm();
    const QStringList before = listedIds();
    const QString selectedBefore = selected();
    ASSERT_TRUE(QFile::remove(store->dataFile()));

    deleteAnswering(ui::IDYES);
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 2);
    EXPECT_EQ(ui::msgbox_seam::shown().back().title, QStringLiteral("提示"));
    EXPECT_EQ(listedIds(), before);
    EXPECT_EQ(selected(), selectedBefore);

    // Editing an order that cannot be read opens nothing.
    QTest::mouseClick(form->editOrderButton, Qt::LeftButton);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 3);
    EXPECT_TRUE(openings.isEmpty());
    EXPECT_FALSE(QFile::exists(store->dataFile()));
}

TEST_F(CommandsTest, TheTwoLinksOpenTheirPages)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    showForm();
    QTest::mouseClick(form->shopLink, Qt::LeftButton);
    QTest::mouseClick(form->homeLink, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl(QStringLiteral("http://shop.tallywick.example/")),
                                           QUrl(QStringLiteral("http://www.tallywick.example/"))}));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

#include "commands_test.moc"
