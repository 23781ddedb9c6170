#pragma once

#include <QByteArrayView>
#include <QIODevice>

namespace orderimport {

enum class FileKind {
    Text, // delimited text: .csv, .txt, .tsv
    Xlsx, // Office Open XML workbook, a zip
    Xls,  // Excel 97-2003 workbook (BIFF in an OLE compound file)
};

// What the first bytes of a file are: a zip (a workbook of today), an OLE compound file (an old workbook,
// or an encrypted new one), or anything else.
enum class Container { Zip, Ole, Other };
Container containerOf(QByteArrayView head);

// True for a page of HTML or XML, as some shop backends write and name .xls.
bool looksLikeMarkup(QByteArrayView head);

// True when an OLE compound file holds a stream named EncryptedPackage: a workbook with an opening
// password. Reads the device from its start; leaves it at the start.
bool hasEncryptedPackage(QIODevice& device);

} // namespace orderimport
