#pragma once

#include <QString>

namespace jetimport {

// What a data file is, by its first bytes.
enum class FileKind {
    Missing,  // no such file, or not readable
    Sqlite,   // "SQLite format 3\0": the program's own store
    Jet3,     // "\0\1\0\0Standard Jet DB\0", version byte 0: Access 97
    Jet4,     // the same with version byte 1: Access 2000 to 2003
    JetOther, // "Standard Jet DB" with a version this program does not know
    Ace,      // "Standard ACE DB": Access 2007 and later (.accdb)
    Other,    // anything else, an empty file included
};

FileKind sniffFile(const QString& path);
// The version byte of a Jet or ACE file (offset 0x14), -1 when there is none.
int jetVersionByte(const QString& path);

} // namespace jetimport
