#include "support/Fixtures.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qunsetenv("QT_QPA_PLATFORMTHEME"); // a desktop theme makes dialogs hang offscreen
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallywick"));
    testsupport::pinLocale();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
