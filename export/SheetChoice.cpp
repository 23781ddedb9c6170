#include "export/SheetChoice.h"

#include "export/SpreadsheetApp.h"
#include "export/Worksheet.h"

namespace xl {

namespace {

// The first version whose application object has an active sheet to hand out.
constexpr int firstWithActiveSheet = 8;

} // namespace

int leadingVersion(QStringView version)
{
    const QStringView text = version.trimmed();
    int number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        if (number > 100000) {
            break; // no version is that long; stop before the number overflows
        }
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

std::shared_ptr<CellHost> chooseSheetObject(const std::shared_ptr<SpreadsheetApp>& app)
{
    const std::shared_ptr<SpreadsheetApp> application = app->Application();
    if (leadingVersion(application->Version()) >= firstWithActiveSheet) {
        return app->ActiveSheet();
    }
    return app;
}

} // namespace xl
