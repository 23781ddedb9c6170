#pragma once

// glib first: mdbtools.h uses its types without including it.
#include <glib.h>

#include <mdbtools.h>

#include <cstddef>
#include <string>

namespace jetimport {

// Jet 3 text is stored in the code page of the file's header (936 for Chinese). libmdb converts it to
// UTF-8 with iconv, from the code page it found when it opened the file; this gives it a buffer that can
// never cut the text (the library's bound texts end at their bind size).
std::string jet3Text(MdbHandle* mdb, const unsigned char* bytes, std::size_t size);

} // namespace jetimport
