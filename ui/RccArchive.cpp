#include "ui/RccArchive.h"

#include <cstdint>

namespace {

constexpr std::uint16_t kDirectoryFlag = 0x02;
constexpr std::uint16_t kCompressedFlags = 0x01 | 0x04;

class Reader {
public:
    Reader(const unsigned char *data, std::size_t size) : m_data(data), m_size(size) {}

    bool fits(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_size && length <= m_size - offset;
    }
    std::uint32_t u32(std::size_t offset) const {
        return (std::uint32_t{m_data[offset]} << 24) | (std::uint32_t{m_data[offset + 1]} << 16) |
               (std::uint32_t{m_data[offset + 2]} << 8) | std::uint32_t{m_data[offset + 3]};
    }
    std::uint16_t u16(std::size_t offset) const {
        return static_cast<std::uint16_t>((m_data[offset] << 8) | m_data[offset + 1]);
    }
    std::size_t size() const { return m_size; }

private:
    const unsigned char *m_data;
    std::size_t m_size;
};

struct Layout {
    std::uint64_t tree = 0;
    std::uint64_t data = 0;
    std::uint64_t names = 0;
    std::uint64_t entrySize = 0;
    std::uint64_t nodeCount = 0;
};

bool nameFits(const Reader &reader, const Layout &layout, std::uint32_t nameOffset) {
    const std::uint64_t at = layout.names + nameOffset;
    if (!reader.fits(at, 6))
        return false;
    return reader.fits(at + 6, std::uint64_t{reader.u16(static_cast<std::size_t>(at))} * 2);
}

bool nodeFits(const Reader &reader, const Layout &layout, std::uint64_t index) {
    const std::uint64_t at = layout.tree + index * layout.entrySize;
    const std::size_t offset = static_cast<std::size_t>(at);
    if (index != 0 && !nameFits(reader, layout, reader.u32(offset)))
        return false;
    const std::uint16_t flags = reader.u16(offset + 4);
    if (flags & kDirectoryFlag) {
        const std::uint64_t count = reader.u32(offset + 6);
        const std::uint64_t first = reader.u32(offset + 10);
        // Children always follow their parent, which rules out loops.
        return count == 0 || (first > index && first + count <= layout.nodeCount);
    }
    if (flags & kCompressedFlags)
        return false;
    const std::uint64_t dataAt = layout.data + reader.u32(offset + 10);
    return reader.fits(dataAt, 4) &&
           reader.fits(dataAt + 4, reader.u32(static_cast<std::size_t>(dataAt)));
}

} // namespace

bool RccArchive::isWellFormed(const unsigned char *data, std::size_t size) {
    const Reader reader(data, size);
    if (data == nullptr || size < 20 || data[0] != 'q' || data[1] != 'r' || data[2] != 'e' ||
        data[3] != 's')
        return false;
    const std::uint32_t version = reader.u32(4);
    if (version < 1 || version > 3 || (version == 3 && size < 24))
        return false;
    Layout layout;
    layout.tree = reader.u32(8);
    layout.data = reader.u32(12);
    layout.names = reader.u32(16);
    layout.entrySize = version == 1 ? 14 : 22;
    if (layout.tree >= size || layout.data >= size || layout.names >= size)
        return false;
    // The tree is the last block; every node of it must lie inside the buffer.
    layout.nodeCount = (size - layout.tree) / layout.entrySize;
    if (layout.nodeCount == 0)
        return false;
    const std::uint16_t rootFlags = reader.u16(static_cast<std::size_t>(layout.tree + 4));
    if (!(rootFlags & kDirectoryFlag))
        return false;
    for (std::uint64_t index = 0; index < layout.nodeCount; ++index) {
        if (!nodeFits(reader, layout, index))
            return false;
    }
    return true;
}
