#pragma once

#include <QChar>
#include <QStringView>

namespace orderimport {

// The separator of a delimited text among comma, tab and semicolon, told from its first records (quotes
// respected): the one that splits every record into the same number of fields, most fields first; else the
// one found in most records; a comma when none is found. complete: head is the whole text, so its last
// record is whole too.
QChar guessSeparator(QStringView head, bool complete);

} // namespace orderimport
