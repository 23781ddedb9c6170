#pragma once

#include "store/OrderTable.h"

// What the reading helper (tallywick-jetread) writes to its standard output, and the program reads.
//
//   "TWJET1\n", then frames: one kind byte, the payload's length (4 bytes, little-endian), the payload.
//   'H' head:    "key=value\n" lines: version (3 or 4), codepage, counter (the autonumber counter).
//   'R' order:   the columns of store::orderColumns, in their order, each a tag byte, a 4-byte little-endian
//                length and the bytes: 'N' NULL, 'T' UTF-8 text, 'D' a number as exact decimal text,
//                'A' a date "yyyy-mm-dd" with " hh:mm:ss" when it has a time of day, 'U' a column type
//                that cannot hold an order's value (its Jet type number as text).
//   'E' end:     "rows=N\ntablerows=M\n": the orders written, and the count the table definition keeps.
//   'F' failure: a reason word, a line feed and details (see the reasons below); nothing follows.
// With --count only the head and the end are written. Exit status 0 after 'E', 1 after 'F'; a crash or
// any other end means the file could not be read.
namespace jetimport::frames {

inline constexpr char magic[] = "TWJET1\n";
inline constexpr int magicSize = 7;

inline constexpr char head = 'H';
inline constexpr char order = 'R';
inline constexpr char end = 'E';
inline constexpr char failure = 'F';

inline constexpr char null = 'N';
inline constexpr char text = 'T';
inline constexpr char number = 'D';
inline constexpr char date = 'A';
inline constexpr char unsupported = 'U';

inline constexpr int columnCount = int(store::orderColumns.size());

// Failure reasons.
inline constexpr char cannotOpen[] = "open";   // not readable as a Jet file
inline constexpr char noTable[] = "notable";   // no table ddlist
inline constexpr char noColumns[] = "columns"; // details: the missing column names, comma-separated
inline constexpr char damaged[] = "damaged";   // a page or row that cannot be read
inline constexpr char usage[] = "usage";       // wrong arguments

// A frame's payload is never larger than this (a memo of a few million characters fits).
inline constexpr unsigned maxPayload = 256u << 20;

} // namespace jetimport::frames
