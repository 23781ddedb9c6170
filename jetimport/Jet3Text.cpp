#include "jetimport/Jet3Text.h"

namespace jetimport {

std::string jet3Text(MdbHandle* mdb, const unsigned char* bytes, std::size_t size)
{
    // One byte of a code page never takes more than three bytes of UTF-8.
    std::string out(size * 3 + 16, '\0');
    const int n = mdb_unicode2ascii(mdb, reinterpret_cast<const char*>(bytes), size, out.data(), out.size());
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

} // namespace jetimport
