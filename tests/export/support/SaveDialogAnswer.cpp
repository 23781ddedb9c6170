#include "SaveDialogAnswer.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace exporttest {

void answerSaveDialog(const std::function<void(QFileDialog&)>& answer, int triesLeft)
{
    QTimer::singleShot(0, [answer, triesLeft] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && triesLeft > 0) {
            answerSaveDialog(answer, triesLeft - 1);
            return;
        }
        ASSERT_NE(dialog, nullptr) << "no save dialog came up";
        answer(*dialog);
    });
}

} // namespace exporttest
