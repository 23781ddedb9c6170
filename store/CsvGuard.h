#pragma once

#include <QString>
#include <QStringView>

// The guard the CSV export puts on a text that a spreadsheet would run as a formula, and the import's way
// back: one rule, so that what the export writes reads back exactly.
namespace store {

// True for a plain number as the order columns show one ("-5.25", "+3", "1E3", "1,5"): a spreadsheet
// reads it as a number, never as a formula.
bool isPlainNumber(QStringView text);

// True for a text the export writes with an apostrophe in front: one beginning with = + - @, a tab or a
// carriage return that is not a plain number, or one that begins with an apostrophe itself.
bool needsCsvGuard(QStringView text);

// The text without the export's apostrophe: dropped exactly when what follows it needs the guard.
QString withoutCsvGuard(QStringView text);

} // namespace store
