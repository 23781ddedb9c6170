// The progress of a long export: it shows up once the work lasts, and goes away when the rows are done.
#include "export/ExportProgress.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QProgressDialog* visibleProgress(const QWidget& window)
{
    auto* dialog = window.findChild<QProgressDialog*>();
    return dialog != nullptr && dialog->isVisible() ? dialog : nullptr;
}

TEST(ExportProgress, ShowsWhileTheWorkLastsAndGoesWhenItIsDone)
{
    QWidget window;
    window.show();
    constexpr int rows = 1 << 30;
    xl::ExportProgress progress(&window, rows);
    // Short work shows nothing.
    for (int row = 1; row <= 1000; ++row) {
        progress.advance(row);
    }
    EXPECT_EQ(visibleProgress(window), nullptr);

    // Rows keep coming: once the work looks like lasting past half a second the dialog appears, showing how
    // far it got.
    QElapsedTimer clock;
    clock.start();
    int row = 1000;
    while (visibleProgress(window) == nullptr && clock.elapsed() < 20000) {
        progress.advance(++row);
    }
    QProgressDialog* dialog = visibleProgress(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->maximum(), rows);
    EXPECT_GT(dialog->value(), 0);
    EXPECT_LE(dialog->value(), row);

    progress.finish();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

} // namespace
