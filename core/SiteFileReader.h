#pragma once

#include "core/SiteFile.h"

#include <array>
#include <cstdint>
#include <string>

namespace tav {

// Reads the items of a field information file from memory or from an open file, through a
// 4096-byte buffer, and knows at every point how many bytes are left, so that no declared
// length is believed beyond them.
class SiteFileReader {
public:
    SiteFileReader(const unsigned char *data, std::size_t size);
    SiteFileReader(int fd, std::uint64_t size);

    SiteReadResult readInto(SiteInformation &record);

private:
    bool read(void *out, std::size_t size);
    bool integer(int &value);
    template <class Unsigned> bool unsignedValue(Unsigned &value);
    bool length(bool &wide, std::uint64_t &count);
    bool text(std::string &value);
    bool wideText(std::size_t units, std::string &value);
    bool fail(SiteReadStatus status);

    const unsigned char *m_data = nullptr; // memory, or null for a file
    int m_fd = -1;
    std::uint64_t m_remaining;
    std::array<unsigned char, 4096> m_buffer{};
    std::size_t m_bufferStart = 0;
    std::size_t m_bufferEnd = 0;
    SiteReadStatus m_status = SiteReadStatus::Success;
    std::string m_reason;
};

} // namespace tav
