#include "ui/ControlTable.h"
#include "ui/Label.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Controls
{
    QGroupBox* frame = nullptr;
    ui::Label* caption = nullptr;
    QLineEdit* box = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* spare = nullptr;
};
using Row = ui::ControlRow<Controls>;
using C = Controls;

const Row rows[] = {
    {"frame", &C::frame, nullptr, QString(), 0, 0, 3000, 1500},
    {"caption", &C::caption, &C::frame, QStringLiteral("名称："), 150, 300, 900, 180},
    {"box", &C::box, &C::frame, QStringLiteral("x"), 1200, 150, 1500, 300},
    {"spare", &C::spare, nullptr, QStringLiteral("备用"), 3000, 0, 900, 450, true},
    {"ok", &C::ok, nullptr, QStringLiteral("确定"), 3000, 600, 900, 450},
};

// The table fills the struct's slots with controls of their kind, in their containers and places; labels
// size themselves; the tab order follows the rows, not the creation order, and leaves out what takes no
// focus.
TEST(ControlTable, BuildsEveryRowIntoItsSlot)
{
    QWidget form;
    Controls c;
    const Row::AnySlot created[] = {&C::ok, &C::spare, &C::frame, &C::box, &C::caption};
    ui::buildControls(form, rows, c, created);

    ASSERT_TRUE(c.frame && c.caption && c.box && c.ok && c.spare);
    EXPECT_EQ(c.box->parentWidget(), c.frame);
    EXPECT_EQ(c.ok->parentWidget(), &form);
    EXPECT_EQ(c.box->objectName(), QStringLiteral("box"));
    EXPECT_EQ(c.box->text(), QStringLiteral("x"));
    EXPECT_EQ(c.ok->text(), QStringLiteral("确定"));
    EXPECT_EQ(c.box->geometry(), ui::twips::rect(1200, 150, 1500, 300));
    EXPECT_EQ(c.caption->pos(), QPoint(ui::twips::toPixels(150), ui::twips::toPixels(300)));
    EXPECT_EQ(c.caption->size(), c.caption->sizeHint());
    EXPECT_TRUE(c.spare->isHidden());
    EXPECT_FALSE(c.ok->isHidden());
    // Created after them, the frame lies in front of the buttons.
    EXPECT_EQ(form.children().constLast(), c.frame);
    const auto nextTab = [](QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus);
        return w;
    };
    EXPECT_EQ(nextTab(c.box), c.spare);
    EXPECT_EQ(nextTab(c.spare), c.ok);
}

} // namespace
