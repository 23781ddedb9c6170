#pragma once

#include <QString>

namespace benchjet {

// Writes a Jet 4 data.mdb of `orders` generated orders plus the nine of the test file it starts from
// (tests/data/jet/ddlist_currency.mdb): the new rows are packed by libmdb's own row packer (texts in Jet's
// compressed Unicode), laid into new data pages appended to the file, and the table's usage map becomes a
// reference map that lists them; its row count and autonumber counter follow. Its indexes are not
// extended: neither reader uses them. Returns false with a message on stderr when it cannot.
bool writeJetFile(const QString& path, int orders);

} // namespace benchjet
