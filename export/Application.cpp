#include "export/Application.h"

namespace xl {

namespace {

// The first version whose application object has an active sheet to hand out.
constexpr int firstWithActiveSheet = 8;

QString& seamVersion()
{
    static QString version; // null: the application's own
    return version;
}

} // namespace

std::shared_ptr<Application> obtainApplication()
{
    static std::weak_ptr<Application> running;
    if (auto app = running.lock()) {
        return app;
    }
    auto app = std::make_shared<Application>();
    app->version = seamVersion().isNull() ? QStringLiteral("12.0") : seamVersion();
    running = app;
    return app;
}

int leadingVersion(QStringView version)
{
    int number = 0;
    for (const QChar c : version.trimmed()) {
        if (c < u'0' || c > u'9' || number > 100000) {
            break; // past the number, or longer than any version: stop before it overflows
        }
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

bool writesThroughActiveSheet(QStringView version)
{
    return leadingVersion(version) >= firstWithActiveSheet;
}

namespace app_seam {

void setVersionText(const QString& version)
{
    seamVersion() = version;
}

void reset()
{
    seamVersion() = QString();
}

} // namespace app_seam

} // namespace xl
