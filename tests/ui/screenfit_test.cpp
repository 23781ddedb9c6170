#include "ui/ScreenFit.h"

#include <gtest/gtest.h>

namespace {

using ui::fitOnScreen;

const QRect designed(203, 183, 896, 471); // the main window's client area
const QMargins frame(4, 30, 4, 4);

TEST(ScreenFit, ADesignThatFitsKeepsItsPlaceAndSize)
{
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(0, 0, 1920, 1040), {}), designed);
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(0, 0, 1280, 984), {}), designed);
    // Exactly touching every edge still fits.
    const QRect tight(designed.left() - 4, designed.top() - 30, 896 + 8, 471 + 34);
    EXPECT_EQ(fitOnScreen(designed, frame, tight, {}), designed);
}

TEST(ScreenFit, SmallScreensMoveTheWholeWindowOnByTheLeastDistance)
{
    // 1024x768 with a 40-pixel task bar: too wide to the right, moved left only.
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(0, 0, 1024, 728), {}), QRect(124, 183, 896, 471));
    // 1366x768 at 125 %: 1093x614 pixels, less a task bar; moved left and up.
    const QRect scaled(0, 0, 1093, 574);
    const QRect fitted = fitOnScreen(designed, frame, scaled, {});
    EXPECT_EQ(fitted, QRect(193, 99, 896, 471));
    EXPECT_TRUE(scaled.contains(fitted.marginsAdded(frame)));
    // A task bar at the top or the left, and a second screen to the right.
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(0, 200, 1920, 840), {}).topLeft(), QPoint(203, 230));
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(1920, 0, 1280, 1024), {}).topLeft(), QPoint(1924, 183));
}

TEST(ScreenFit, ScreensSmallerThanTheWindowShrinkItDownToItsMinimum)
{
    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(fitOnScreen(designed, frame, screen, {}), QRect(4, 125, 792, 471));
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(0, 0, 640, 480), {}), QRect(4, 30, 632, 446));
    // A fixed-size window larger than the screen keeps its size and its title bar's start on screen.
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(0, 0, 640, 480), designed.size()), QRect(4, 30, 896, 471));
    // No frame known (offscreen, no window manager) and an empty screen.
    EXPECT_EQ(fitOnScreen(designed, QMargins(), screen, {}), QRect(0, 129, 800, 471));
    EXPECT_EQ(fitOnScreen(designed, frame, QRect(), {}), designed);
}

} // namespace
