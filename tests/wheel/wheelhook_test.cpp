#include "entry/EntryWindow.h"
#include "entry/OpenEntryWindow.h"
#include "mainwindow/MainWindow.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "wheel/WheelHook.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

namespace {

constexpr int Notch = 120;

// Turns the wheel over target as the platform does: a spontaneous event, which Qt hands on from the
// target up to its window for as long as nobody takes it (a plain sendEvent would stop at the target).
void turnWheel(QWidget* target, QPoint angle, Qt::ScrollPhase phase = Qt::NoScrollPhase)
{
    const QPointF pos(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(pos, target->mapToGlobal(pos), QPoint(), angle, Qt::NoButton, Qt::NoModifier, phase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(target, &wheel);
}

// Sees what reaches the main window after the module's filter, which is installed later and so runs first.
class Spy final : public QObject
{
public:
    explicit Spy(const ui::FlexGrid* grid)
        : m_grid(grid)
    {}
    QList<QEvent::Type> seen;
    QList<int> topRowAtWheel; // the grid's TopRow when a wheel event came through

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel) {
            topRowAtWheel.append(m_grid->TopRow());
        }
        if (event->type() == QEvent::Wheel || event->type() >= QEvent::User) {
            seen.append(event->type());
        }
        return false;
    }

private:
    const ui::FlexGrid* m_grid;
};

// A main window listing 100 orders of today, made the active window.
class WheelHookTest : public testsupport::GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        for (int i = 1; i <= 100; ++i) {
            store->addOrder(QStringLiteral("商品%1").arg(i), 10, 1, 15, QStringLiteral("买家"), QString(),
                            today);
        }
    }
    void TearDown() override
    {
        entry::entry_seam::reset();
        wheel::unhookWheel();
        GuiTest::TearDown(); // closes and deletes the windows
    }

    // The window is deleted by the fixture.
    void makeMainWindow()
    {
        form = new mainwindow::MainWindow;
        grid = form->findChild<ui::FlexGrid*>(QStringLiteral("MSFlexGrid1"));
        ASSERT_NE(grid, nullptr);
    }
    void activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void openMainWindow()
    {
        ASSERT_NO_FATAL_FAILURE(makeMainWindow());
        ASSERT_NO_FATAL_FAILURE(activate(form));
        ASSERT_EQ(grid->Rows(), 101);
        ASSERT_EQ(grid->TopRow(), 1);
    }
    // One turn over the grid; tells the grid's TopRow afterwards.
    int turn(int rotation)
    {
        turnWheel(grid->viewport(), QPoint(0, rotation));
        return grid->TopRow();
    }
    void deactivateMainWindow()
    {
        other = new QWidget;
        other->resize(200, 100);
        ASSERT_NO_FATAL_FAILURE(activate(other));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form->isActiveWindow(); }));
    }

    QPointer<mainwindow::MainWindow> form;
    ui::FlexGrid* grid = nullptr;
    QPointer<QWidget> other;
};

TEST_F(WheelHookTest, EachNotchScrollsThreeRowsWhileTheWindowIsActive)
{
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    EXPECT_EQ(turn(-Notch), 4);
    EXPECT_EQ(turn(-Notch), 7);
    EXPECT_EQ(turn(Notch), 4);
    EXPECT_EQ(turn(2 * Notch), 1); // a double notch is still one step
    EXPECT_EQ(turn(Notch), 1);     // never onto the header row
    EXPECT_EQ(turn(0), 4);         // no amount counts as toward the user

    // A turn over another control of the window reaches the window too and scrolls the grid.
    turnWheel(form->newOrderButton, QPoint(0, -Notch));
    EXPECT_EQ(grid->TopRow(), 7);
}

TEST_F(WheelHookTest, OnlyVerticalTurnsScrollAndEveryEventGoesOn)
{
    ASSERT_NO_FATAL_FAILURE(makeMainWindow());
    Spy spy(grid);
    form->installEventFilter(&spy);
    ASSERT_NO_FATAL_FAILURE(activate(form));

    EXPECT_EQ(turn(-Notch), 4);
    // The wheel event went on to the window's own handling after the grid had moved.
    EXPECT_EQ(spy.topRowAtWheel, QList<int>{4});

    turnWheel(grid->viewport(), QPoint(-Notch, 0)); // sideways only
    turnWheel(grid->viewport(), QPoint(0, 0), Qt::ScrollBegin);
    turnWheel(grid->viewport(), QPoint(0, 0), Qt::ScrollEnd);
    EXPECT_EQ(grid->TopRow(), 4);
    EXPECT_EQ(spy.topRowAtWheel, (QList<int>{4, 4, 4, 4}));

    // Other events reach the window untouched and move nothing.
    const auto custom = static_cast<QEvent::Type>(QEvent::User + 7);
    QEvent event(custom);
    QApplication::sendEvent(form, &event);
    EXPECT_EQ(spy.seen.last(), custom);
    EXPECT_EQ(grid->TopRow(), 4);
    form->removeEventFilter(&spy);
}

TEST_F(WheelHookTest, DeactivationStopsTheScrollingAndReturningResumesIt)
{
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    ASSERT_EQ(turn(-Notch), 4);

    ASSERT_NO_FATAL_FAILURE(deactivateMainWindow());
    EXPECT_EQ(turn(-Notch), 4);
    EXPECT_EQ(turn(Notch), 4);

    ASSERT_NO_FATAL_FAILURE(activate(form));
    EXPECT_EQ(turn(-Notch), 7);
}

TEST_F(WheelHookTest, TheWheelDoesNotScrollWhileTheEntryWindowIsOpen)
{
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    ASSERT_EQ(turn(-Notch), 4);

    bool opened = false;
    bool deactivated = false;
    int topWhileOpen = -1;
    entry::entry_seam::setShownHook([&](entry::EntryWindow& window) {
        opened = true;
        deactivated = QTest::qWaitFor([this] { return !form->isActiveWindow(); });
        // Straight at the grid, so that the modality does not hide what the hook does.
        turn(-Notch);
        turn(-Notch);
        turnWheel(&window, QPoint(0, -Notch));
        topWhileOpen = grid->TopRow();
    });
    QTest::mouseClick(form->newOrderButton, Qt::LeftButton);

    EXPECT_TRUE(opened);
    EXPECT_TRUE(deactivated);
    EXPECT_EQ(topWhileOpen, 4);
    // Back in the main window the wheel works again. The offscreen platform has no window manager to hand
    // the activation back to the owner, so the test does.
    ASSERT_NO_FATAL_FAILURE(activate(form));
    EXPECT_EQ(turn(-Notch), 7);
}

TEST_F(WheelHookTest, HookingTwiceAddsNoFilterAndUnhookingRemovesIt)
{
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    wheel::hookWheel(form);
    wheel::hookWheel(form);
    EXPECT_EQ(turn(-Notch), 4);

    wheel::unhookWheel();
    EXPECT_EQ(turn(-Notch), 4);
    wheel::unhookWheel(); // a second time is harmless
    EXPECT_EQ(turn(-Notch), 4);

    wheel::hookWheel(form);
    EXPECT_EQ(turn(-Notch), 7);
}

TEST_F(WheelHookTest, AWindowDestroyedWhileHookedLeavesNothingBehind)
{
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    ASSERT_EQ(turn(-Notch), 4);
    delete form.data();
    wheel::unhookWheel(); // the window it was hooked to is gone

    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    EXPECT_EQ(turn(-Notch), 4);
}

} // namespace

TEST_F(WheelHookTest, TheFieldListTakesTheWheelOnlyWithTheFocus)
{
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
    form->newOrderButton->setFocus();
    const QString field = form->fieldList->currentText();
    // Passing over the field list on the way to the grid leaves the field alone and scrolls the grid.
    turnWheel(form->fieldList, QPoint(0, -Notch));
    EXPECT_EQ(form->fieldList->currentText(), field);
    EXPECT_EQ(grid->TopRow(), 4);
    // With the focus, the wheel picks the next field, as a drop-down list does.
    form->fieldList->setFocus();
    turnWheel(form->fieldList, QPoint(0, -Notch));
    EXPECT_NE(form->fieldList->currentText(), field);
}
