#pragma once

#include <QString>
#include <QStringView>

namespace orderimport {

// Undoes the guard this program's CSV export puts on a text: the export writes a text that a spreadsheet
// would run as a formula (one beginning with = + - @, a tab or a carriage return, and not a plain number
// such as "-5.25"), and a text that begins with an apostrophe, with an apostrophe in front. So one
// apostrophe is dropped exactly when what follows it is such a text; any other text is returned as it is.
QString unguardText(QStringView text);

} // namespace orderimport
