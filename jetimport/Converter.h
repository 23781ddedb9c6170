#pragma once

#include "jetimport/ConversionError.h"

#include <QString>
#include <functional>

// Brings the orders of a Jet-format data.mdb into a new store of the program's own. Qt Core only: the
// question, the progress dialog and the messages are in Offer.
namespace jetimport {

// What the helper finds in a Jet file before anything is changed.
struct Probe
{
    int version = 4;
    int codePage = 0;
    qint64 orders = 0;
    qint64 counter = 0; // the table's autonumber counter: the last id it gave
};

struct Converted
{
    qint64 orders = 0;
    qint64 withTime = 0; // orders whose date carried a time of day
    qint64 blanks = 0;   // orders with a NULL text or number (the order table of the store has none)
    QString keptPath;    // where the original file now lies, byte for byte
};

// Reads the whole file in the helper without keeping anything: the file's kind and its orders. keepGoing is
// asked every tenth of a second; false stops the helper. Throws ConversionError.
Probe probe(const QString& jetFile, const std::function<bool()>& keepGoing);

// Keeps a byte-for-byte copy of dataFile under keptName's name, writes its orders into a new store beside
// it, reads that back, and only then puts the new store in the place of dataFile. progress(orders written)
// is called every tenth of a second from the event loop; false cancels. Any failure throws ConversionError
// and leaves dataFile as it was (and no copy).
Converted convert(const QString& dataFile, const Probe& probe, const std::function<bool(qint64)>& progress);

} // namespace jetimport
