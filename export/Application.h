#pragma once

#include <QString>
#include <QStringView>
#include <memory>

namespace xl {

// The spreadsheet component the export drives. It runs in-process and has no window; while an export
// holds it, it is the running one that a further export attaches to.
struct Application final
{
    QString version; // "12.0": the first version that writes .xlsx workbooks
};

// The running application, else a new one.
std::shared_ptr<Application> obtainApplication();

// The number a version text begins with: 11 for "11.0", 0 when it begins with no digit.
int leadingVersion(QStringView version);
// The cells go through the active sheet from version 8 on; before 8 through the application object,
// whose cells are those of the active sheet.
bool writesThroughActiveSheet(QStringView version);

// Test seam: a stand-in version text for the applications started from now on.
namespace app_seam {
void setVersionText(const QString& version);
void reset();
} // namespace app_seam

} // namespace xl
