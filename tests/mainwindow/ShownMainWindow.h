#pragma once

#include "mainwindow/MainWindow.h"

#include <QTest>
#include <gtest/gtest.h>

// A main window loaded from the test's data.mdb, shown and made active; the fixture's teardown deletes it.
inline mainwindow::MainWindow* shownMainWindow()
{
    auto* form = new mainwindow::MainWindow;
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    return form;
}
