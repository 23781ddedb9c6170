#include "app/AppTexts.h"
#include "app/SingleInstance.h"
#include "mainwindow/MainWindow.h"
#include "store/AppFolder.h"
#include "store/TextForms.h"
#include "ui/AppIcon.h"
#include "ui/AppInfo.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort with a backtrace; say so in one line instead.
bool displayMissing()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) {
        return false;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// While the application connects to the display, Qt's complaints about a display it cannot reach end in
// an abort with several lines; turn that into one line and a plain exit.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Tallywick: cannot open the display (%s): %s\n", qgetenv("DISPLAY").constData(),
                     message.section(QLatin1Char('\n'), 0, 0).toLocal8Bit().constData());
        std::_Exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (displayMissing()) {
        std::fputs("Tallywick: no display found (DISPLAY is not set); start it inside a graphical session.\n",
                   stderr);
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setApplicationName(ui::appinfo::name);
    QApplication::setApplicationVersion(ui::appinfo::versionText);
    QApplication::setOrganizationName(ui::appinfo::credit);
    // Both windows take their icon from here; the desktop file name lets Wayland docks show it too.
    QApplication::setWindowIcon(ui::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("tallywick"));

    // Calendars and Qt's own texts follow the locale the dates are written in (Chinese under C/POSIX).
    QLocale::setDefault(store::textforms::uiLocale());

    // Qt's own dialogs and context menus in Chinese.
    QTranslator qtChinese;
    if (qtChinese.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtChinese);
    }

    // One window per order store: a second start in this folder brings the first one forward.
    const QString folder = store::appFolder();
    app::SingleInstance instance(folder, [](const QString& computer, const QString& lockFile) {
        return ui::MsgBox(app::texts::lockOfAnotherComputer(computer, lockFile), ui::MB_YESNO_QUESTION,
                          ui::texts::noticeTitle) == ui::IDYES;
    });
    switch (instance.claim()) {
    case app::SingleInstance::Claim::Run:
        break;
    case app::SingleInstance::Claim::Handed:
    case app::SingleInstance::Claim::Declined:
        return 0;
    case app::SingleInstance::Claim::Busy:
        ui::MsgBox(app::texts::storeInUse(store::dataFileIn(folder)), ui::MB_OK_EXCLAMATION,
                   ui::texts::noticeTitle);
        return 1;
    }

    // The start-up runs once the window is on the screen.
    mainwindow::MainWindow window;
    QObject::connect(&instance, &app::SingleInstance::activationRequested, &window,
                     [&window] { app::bringToFront(window); });
    window.show();
    return QApplication::exec();
}
