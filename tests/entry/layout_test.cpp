#include "EntryFixture.h"

#include "ui/MonthView.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>

namespace {

class EntryLayoutTest : public EntryTest
{
protected:
    // Follows the Tab key from spname until it comes back, naming each control that takes the focus.
    QStringList tabRound()
    {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        find("spname")->setFocus();
        QStringList names{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QString name = focusName();
            if (name == QStringLiteral("spname")) {
                break;
            }
            names << name;
        }
        return names;
    }

    // The focused control's name; the calendar's inner day table counts as the calendar.
    QString focusName() const
    {
        QWidget* focused = QApplication::focusWidget();
        auto* calendar = find<ui::MonthView>("MonthView1");
        return calendar->isAncestorOf(focused) ? calendar->objectName() : focused->objectName();
    }
};

QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* name : list) {
        out << QString::fromLatin1(name);
    }
    return out;
}

} // namespace

TEST_F(EntryLayoutTest, EveryControlStandsWhereTheTableSaysWithItsCaption)
{
    // Written out independently of the layout's own table: name, caption, twips, shown at start.
    struct Expected
    {
        const char* name;
        QString caption;
        QRect twipsRect;
        bool visible;
    };
    const QString none;
    const Expected expected[] = {
        {"Label1", QStringLiteral("商品名称："), {240, 240, 900, 180}, true},
        {"spname", none, {1200, 120, 3735, 375}, true},
        {"sl", none, {1200, 600, 1575, 375}, true},
        {"jj", none, {1200, 1080, 1575, 375}, true},
        {"sj", none, {1200, 1560, 1575, 375}, true},
        {"mjzh", none, {1200, 2040, 2055, 375}, true},
        {"kddh", none, {1200, 2520, 2055, 375}, true},
        {"bz", none, {1200, 3480, 3735, 1095}, true},
        {"Label2", QStringLiteral("快递单号："), {240, 2640, 900, 180}, true},
        {"Label3", QStringLiteral("买家帐号："), {240, 2160, 900, 180}, true},
        {"Label4", QStringLiteral("售价："), {600, 1680, 540, 180}, true},
        {"Label5", QStringLiteral("进价："), {600, 1200, 540, 180}, true},
        {"Label6", QStringLiteral("购买数量："), {240, 720, 900, 180}, true},
        {"Label7", QStringLiteral("备注："), {600, 3600, 540, 180}, true},
        {"Label8", QStringLiteral("销售日期："), {240, 3120, 900, 180}, true},
        {"Command1", QStringLiteral("保存后关闭"), {3480, 720, 1455, 735}, true},
        {"Command2", QStringLiteral("清空表单"), {3480, 2640, 1455, 735}, true},
        {"Command3", QStringLiteral("保存并新建"), {3480, 1680, 1455, 735}, true},
        {"Label11", QStringLiteral("件"), {2880, 720, 180, 180}, true},
        {"Label9", QStringLiteral("元"), {2880, 1200, 180, 180}, true},
        {"Label10", QStringLiteral("元"), {2880, 1680, 180, 180}, true},
        {"MonthView1", none, {840, 720, 4065, 2220}, false}, // moved into place by the load
        {"Command4", QStringLiteral("关闭窗口"), {3480, 2160, 1455, 735}, false},
        {"xsdate", none, {1200, 3000, 2055, 375}, true},
    };
    open();
    EXPECT_EQ(form->objectName(), QStringLiteral("add"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("我要记帐"));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        auto* w = form->findChild<QWidget*>(QString::fromLatin1(e.name));
        ASSERT_NE(w, nullptr);
        const QRect r = e.twipsRect;
        const QRect pixels = ui::twips::rect(r.x(), r.y(), r.width(), r.height());
        EXPECT_EQ(w->isVisibleTo(form.get()), e.visible);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            // Sized to its text from the given corner.
            EXPECT_EQ(label->pos(), pixels.topLeft());
            EXPECT_EQ(label->text(), e.caption);
            EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(e.caption));
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
            continue;
        }
        EXPECT_EQ(w->geometry(), pixels);
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(button->text(), e.caption);
            EXPECT_FALSE(button->autoDefault());
            EXPECT_FALSE(button->isDefault());
        } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
            EXPECT_FALSE(box->isReadOnly());
            // No limit of its own: a long pasted text stays whole.
            const QString typed = box->text();
            box->setText(QString(40000, u'长'));
            EXPECT_EQ(box->text().size(), 40000);
            box->setText(typed);
        }
    }
    EXPECT_EQ(find("xsdate")->palette().color(QPalette::Base), QColor(224, 224, 224));
    EXPECT_EQ(find("xsdate")->text(), today());
    // The calendar lies in front of the boxes it covers.
    auto* calendar = find<ui::MonthView>("MonthView1");
    EXPECT_EQ(form->childAt(QPoint(100, 60)), find("sl"));
    calendar->setVisible(true);
    QWidget* inFront = form->childAt(QPoint(100, 60));
    EXPECT_TRUE(inFront == calendar || calendar->isAncestorOf(inFront));
}

TEST_F(EntryLayoutTest, FrameIsFixedWithoutMinimizeOrMaximizeAndCarriesTheAppIcon)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(pixmap));
    open();
    EXPECT_EQ(form->size(), QSize(345, 316));
    EXPECT_EQ(form->minimumSize(), QSize(345, 316));
    EXPECT_EQ(form->maximumSize(), QSize(345, 316));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_EQ(form->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    QApplication::setWindowIcon(QIcon());
}

TEST_F(EntryLayoutTest, AddModeTabsThroughBoxesRemarkButtonsThenTheDate)
{
    open();
    EXPECT_EQ(tabRound(), names({"spname", "sl", "jj", "sj", "mjzh", "kddh", "bz", "Command1", "Command2",
                                 "Command3", "xsdate"}));
    // While shown, the calendar takes its turn after the buttons.
    QTest::mouseClick(find("xsdate"), Qt::LeftButton);
    EXPECT_EQ(tabRound(), names({"spname", "sl", "jj", "sj", "mjzh", "kddh", "bz", "Command1", "Command2",
                                 "Command3", "MonthView1", "xsdate"}));
}

TEST_F(EntryLayoutTest, EditModeShowsTwoButtonsAndTabsThroughThem)
{
    const qint64 id = store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"), QStringLiteral("k"),
                                      QStringLiteral("2026-12-01"));
    open(id);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("修改定单"));
    auto* save = find<QPushButton>("Command1");
    EXPECT_EQ(save->text(), QStringLiteral("保存修改"));
    EXPECT_EQ(save->geometry(), ui::twips::rect(3480, 1200, 1455, 735));
    EXPECT_FALSE(find<QPushButton>("Command2")->isVisible());
    EXPECT_FALSE(find<QPushButton>("Command3")->isVisible());
    EXPECT_TRUE(find<QPushButton>("Command4")->isVisible());
    EXPECT_EQ(find<QPushButton>("Command4")->geometry(), ui::twips::rect(3480, 2160, 1455, 735));
    EXPECT_EQ(tabRound(),
              names({"spname", "sl", "jj", "sj", "mjzh", "kddh", "bz", "Command1", "Command4", "xsdate"}));
    QTest::mouseClick(find("xsdate"), Qt::LeftButton);
    EXPECT_EQ(tabRound(), names({"spname", "sl", "jj", "sj", "mjzh", "kddh", "bz", "Command1", "MonthView1",
                                 "Command4", "xsdate"}));
}
