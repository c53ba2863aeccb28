#pragma once

#include <cstddef>

// Checks a compiled resource archive (the format Qt's rcc writes) before it is handed
// to QResource, which trusts every offset it reads. Walks the whole tree and rejects
// any offset, name or data block that lies outside the buffer, any loop in the tree,
// and compressed entries (the language module is built without compression).
class RccArchive {
public:
    static bool isWellFormed(const unsigned char *data, std::size_t size);
};
