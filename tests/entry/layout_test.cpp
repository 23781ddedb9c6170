#include "EntryFixture.h"

#include "ui/EntryLayout.h"
#include "ui/MonthView.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>

using ui::entrylayout::Kind;

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
            const QString name = QApplication::focusWidget()->objectName();
            if (name == QStringLiteral("spname")) {
                break;
            }
            names << name;
        }
        return names;
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
    open();
    EXPECT_EQ(form->objectName(), QStringLiteral("add"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("我要记帐"));
    ASSERT_EQ(ui::entrylayout::controls().size(), 24);
    for (const auto& spec : ui::entrylayout::controls()) {
        auto* w = form->findChild<QWidget*>(spec.name);
        ASSERT_NE(w, nullptr) << qPrintable(spec.name);
        SCOPED_TRACE(qPrintable(spec.name));
        const QRect expected = twips::rect(spec.left, spec.top, spec.width, spec.height);
        switch (spec.kind) {
        case Kind::Label:
            // Sized to its text from the given corner.
            EXPECT_EQ(w->pos(), expected.topLeft());
            EXPECT_EQ(qobject_cast<QLabel*>(w)->text(), spec.caption);
            EXPECT_GE(w->width(), QFontMetrics(w->font()).horizontalAdvance(spec.caption));
            break;
        case Kind::TextBox:
            EXPECT_EQ(w->geometry(), expected);
            EXPECT_TRUE(qobject_cast<QLineEdit*>(w)->isEnabled());
            EXPECT_FALSE(qobject_cast<QLineEdit*>(w)->isReadOnly());
            EXPECT_EQ(qobject_cast<QLineEdit*>(w)->maxLength(), 32767); // no limit of its own
            break;
        case Kind::Button:
            EXPECT_EQ(w->geometry(), expected);
            EXPECT_EQ(qobject_cast<QPushButton*>(w)->text(), spec.caption);
            EXPECT_FALSE(qobject_cast<QPushButton*>(w)->autoDefault());
            EXPECT_FALSE(qobject_cast<QPushButton*>(w)->isDefault());
            break;
        case Kind::Calendar:
            // The load has moved it into place; its size is as laid out.
            EXPECT_EQ(w->geometry(), twips::rect(840, 720, spec.width, spec.height));
            break;
        }
        EXPECT_EQ(w->isVisibleTo(form.get()), spec.visible);
    }
    // A few spot values against the table's pixels.
    EXPECT_EQ(find("spname")->geometry(), QRect(80, 8, 249, 25));
    EXPECT_EQ(find("bz")->geometry(), QRect(80, 232, 249, 73));
    EXPECT_EQ(find<QPushButton>("Command1")->geometry(), QRect(232, 48, 97, 49));
    EXPECT_EQ(find<QPushButton>("Command1")->text(), QStringLiteral("保存后关闭"));
    EXPECT_EQ(find<QPushButton>("Command2")->text(), QStringLiteral("清空表单"));
    EXPECT_EQ(find<QPushButton>("Command3")->text(), QStringLiteral("保存并新建"));
    EXPECT_EQ(find<QPushButton>("Command4")->text(), QStringLiteral("关闭窗口"));
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
}

TEST_F(EntryLayoutTest, EditModeShowsTwoButtonsAndTabsThroughThem)
{
    const qint64 id = store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("a"), QStringLiteral("k"),
                                      QStringLiteral("2026-12-01"));
    host.tag = QStringLiteral("edit");
    host.ddid = QString::number(id);
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("修改定单"));
    auto* save = find<QPushButton>("Command1");
    EXPECT_EQ(save->text(), QStringLiteral("保存修改"));
    EXPECT_EQ(save->geometry(), twips::rect(3480, 1200, 1455, 735));
    EXPECT_FALSE(find<QPushButton>("Command2")->isVisible());
    EXPECT_FALSE(find<QPushButton>("Command3")->isVisible());
    EXPECT_TRUE(find<QPushButton>("Command4")->isVisible());
    EXPECT_EQ(find<QPushButton>("Command4")->geometry(), twips::rect(3480, 2160, 1455, 735));
    EXPECT_EQ(tabRound(),
              names({"spname", "sl", "jj", "sj", "mjzh", "kddh", "bz", "Command1", "Command4", "xsdate"}));
}
