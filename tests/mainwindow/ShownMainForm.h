#pragma once

#include "mainwindow/MainForm.h"

#include <QTest>
#include <gtest/gtest.h>

// A main window loaded from the test's data.mdb, shown and made active; the fixture's teardown deletes it.
inline mainwindow::MainForm* shownMainForm()
{
    auto* form = new mainwindow::MainForm;
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    return form;
}
