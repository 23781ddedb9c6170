#include "support/Fixtures.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

class MessageBoxTest : public testsupport::GuiTest
{};

TEST_F(MessageBoxTest, SeamRecordsAndAnswersWithoutShowing)
{
    EXPECT_EQ(ui::MsgBox(QStringLiteral("保存成功!!"), ui::MB_OK, QStringLiteral("提示")), ui::IDOK);
    // The default button answers when nothing is queued: No for the delete question.
    EXPECT_EQ(ui::MsgBox(QStringLiteral("删除？"), ui::MB_YESNO_QUESTION, QStringLiteral("提示")), ui::IDNO);
    ui::msgbox_seam::setNextAnswer(ui::IDYES);
    EXPECT_EQ(ui::MsgBox(QStringLiteral("删除？"), ui::MB_YESNO_QUESTION, QStringLiteral("提示")), ui::IDYES);
    EXPECT_EQ(ui::MsgBox(QStringLiteral("无标题")), ui::IDOK);

    const auto& shown = ui::msgbox_seam::shown();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].text, QStringLiteral("保存成功!!"));
    EXPECT_EQ(shown[0].flags, 0);
    EXPECT_EQ(shown[1].flags, 292);
    EXPECT_EQ(shown[2].title, QStringLiteral("提示"));
    EXPECT_EQ(shown[3].title, QStringLiteral("Tallywick")); // an empty title is the application's name
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    ui::msgbox_seam::reset();
    EXPECT_FALSE(ui::msgbox_seam::armed());
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
}

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

// Shows a real box and reads it while it is open, then presses the button named press.
SeenBox showAndRead(int flags, const QString& press, int* answer)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons.append(b->text());
            if (b->text() == press) {
                QTimer::singleShot(0, b, [b] { b->click(); });
            }
        }
        if (box->defaultButton()) {
            seen.defaultButton = box->defaultButton()->text();
        }
    });
    *answer = ui::MsgBox(QStringLiteral("你确认要删除选中记录吗？"), flags, QStringLiteral("提示"));
    return seen;
}

TEST_F(MessageBoxTest, RealBoxesHaveChineseButtonsIconsAndDefaults)
{
    ui::msgbox_seam::reset(); // show the real thing

    int answer = 0;
    SeenBox question = showAndRead(ui::MB_YESNO_QUESTION, QStringLiteral("是"), &answer);
    EXPECT_EQ(answer, ui::IDYES);
    EXPECT_EQ(question.title, QStringLiteral("提示"));
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons.size(), 2);
    EXPECT_TRUE(question.buttons.contains(QStringLiteral("是")));
    EXPECT_TRUE(question.buttons.contains(QStringLiteral("否")));
    EXPECT_EQ(question.defaultButton, QStringLiteral("否"));

    SeenBox warning = showAndRead(ui::MB_OK_EXCLAMATION, QStringLiteral("确定"), &answer);
    EXPECT_EQ(answer, ui::IDOK);
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_EQ(warning.buttons, QStringList{QStringLiteral("确定")});

    SeenBox plain = showAndRead(ui::MB_OK, QStringLiteral("确定"), &answer);
    EXPECT_EQ(answer, ui::IDOK);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
}

} // namespace
