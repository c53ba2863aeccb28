#include "core/SiteFileReader.h"

#include "core/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace tav {

namespace {

// Room for a text of the given size, not yet written to. From 32 MiB on, where glibc's malloc
// gives every block a mapping of its own, the block asks for huge pages: faulting 64 MiB in
// page by page takes longer than copying it from the cache, several times as long on a
// virtual machine. Where huge pages are off, the advice is ignored.
std::string reserveText(std::size_t size) {
    std::string text;
    text.reserve(size);
#ifdef MADV_HUGEPAGE
    constexpr std::size_t kAdviseFrom = std::size_t{32} << 20;
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    if (size >= kAdviseFrom) {
        const auto at = reinterpret_cast<std::uintptr_t>(text.data());
        const std::uintptr_t begin = (at + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t end = (at + size) & ~(kHugePage - 1);
        if (end > begin)
            ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
    }
#endif
    return text;
}

} // namespace

SiteFileReader::SiteFileReader(const unsigned char *data, std::size_t size)
    : m_data(data), m_remaining(size) {}

SiteFileReader::SiteFileReader(int fd, std::uint64_t size) : m_fd(fd), m_remaining(size) {}

bool SiteFileReader::fail(SiteReadStatus status) {
    if (m_status == SiteReadStatus::Success)
        m_status = status;
    return false;
}

bool SiteFileReader::read(void *out, std::size_t size) {
    if (size > m_remaining)
        return fail(SiteReadStatus::EndOfFile);
    auto *target = static_cast<unsigned char *>(out);
    if (m_data != nullptr) {
        std::memcpy(target, m_data, size);
        m_data += size;
        m_remaining -= size;
        return true;
    }
    while (size > 0) {
        if (m_bufferStart == m_bufferEnd) {
            // A large text goes straight to its place; small items come through the buffer.
            const bool direct = size >= m_buffer.size();
            unsigned char *into = direct ? target : m_buffer.data();
            const std::size_t want = direct ? size : m_buffer.size();
            const ssize_t got = ::read(m_fd, into, want);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                m_reason = std::strerror(errno);
                return fail(SiteReadStatus::InputError);
            }
            if (got == 0)
                return fail(SiteReadStatus::EndOfFile);
            if (direct) {
                target += got;
                size -= static_cast<std::size_t>(got);
                m_remaining -=
                    std::min<std::uint64_t>(m_remaining, static_cast<std::uint64_t>(got));
                continue;
            }
            m_bufferStart = 0;
            m_bufferEnd = static_cast<std::size_t>(got);
        }
        const std::size_t take = std::min(size, m_bufferEnd - m_bufferStart);
        std::memcpy(target, m_buffer.data() + m_bufferStart, take);
        m_bufferStart += take;
        target += take;
        size -= take;
        m_remaining -= std::min<std::uint64_t>(m_remaining, take);
    }
    return true;
}

template <class Unsigned> bool SiteFileReader::unsignedValue(Unsigned &value) {
    unsigned char bytes[sizeof(Unsigned)];
    if (!read(bytes, sizeof bytes))
        return false;
    value = 0;
    for (std::size_t i = sizeof bytes; i-- > 0;)
        value = static_cast<Unsigned>((value << 8) | bytes[i]);
    return true;
}

bool SiteFileReader::integer(int &value) {
    std::uint32_t bits = 0;
    if (!unsignedValue(bits))
        return false;
    // Two's complement, without relying on an out-of-range conversion.
    value = bits <= 0x7FFFFFFFu ? static_cast<int>(bits) : -static_cast<int>(~bits) - 1;
    return true;
}

bool SiteFileReader::length(bool &wide, std::uint64_t &count) {
    wide = false;
    std::uint8_t byte = 0;
    if (!unsignedValue(byte))
        return false;
    if (byte < 0xFF) {
        count = byte;
        return true;
    }
    std::uint16_t word = 0;
    if (!unsignedValue(word))
        return false;
    if (word == 0xFFFE) {
        wide = true;
        if (!unsignedValue(byte))
            return false;
        if (byte < 0xFF) {
            count = byte;
            return true;
        }
        if (!unsignedValue(word))
            return false;
    }
    if (word < 0xFFFF) {
        count = word;
        return true;
    }
    std::uint32_t dword = 0;
    if (!unsignedValue(dword))
        return false;
    if (dword < 0xFFFFFFFFu) {
        count = dword;
        return true;
    }
    std::uint64_t qword = 0;
    if (!unsignedValue(qword))
        return false;
    if (qword > 0x7FFFFFFFu)
        return fail(SiteReadStatus::BadLength);
    count = qword;
    return true;
}

bool SiteFileReader::text(std::string &value) {
    bool wide = false;
    std::uint64_t count = 0;
    if (!length(wide, count))
        return false;
    const std::uint64_t bytes = wide ? count * 2 : count;
    // Believed only as far as the file goes: nothing is allocated for a length beyond it.
    if (bytes > m_remaining)
        return fail(SiteReadStatus::EndOfFile);
    try {
        if (wide)
            return wideText(static_cast<std::size_t>(count), value);
        std::string raw = reserveText(static_cast<std::size_t>(bytes));
        raw.resize(static_cast<std::size_t>(bytes));
        if (!read(raw.data(), raw.size()))
            return false;
        value = std::move(raw);
    } catch (const std::bad_alloc &) {
        return fail(SiteReadStatus::OutOfMemory);
    }
    return true;
}

bool SiteFileReader::wideText(std::size_t units, std::string &value) {
    // Converted piece by piece as it is read: the units are never held whole. Three bytes
    // of UTF-8 a unit at most; the pages a shorter text leaves untouched cost nothing.
    std::string converted = reserveText(units * 3);
    Utf16LeDecoder decoder;
    std::array<char, 65536> piece;
    for (std::size_t left = units * 2; left > 0;) {
        const std::size_t size = std::min(left, piece.size());
        if (!read(piece.data(), size))
            return false;
        decoder.feed(piece.data(), size, converted);
        left -= size;
    }
    decoder.finish(converted);
    value = std::move(converted);
    return true;
}

SiteReadResult SiteFileReader::readInto(SiteInformation &record) {
    SiteReadResult result;
    int &items = result.itemsRead;
    const auto finish = [&] {
        result.status = m_status;
        result.reason = m_reason;
        return result;
    };
    if (!text(record.clientCompanyName) || (++items, !text(record.fieldName)))
        return finish();
    ++items;
    int year = 0, month = 0, day = 0;
    if (!integer(year) || (++items, !integer(month)) || (++items, !integer(day)))
        return finish();
    ++items;
    // Only the low 16 bits of each count, as an unsigned number: -1 is 65535.
    record.date = SiteDate::fromParts(year & 0xFFFF, month & 0xFFFF, day & 0xFFFF);
    std::string *const texts1[] = {&record.fileNumber};
    int *const indexes[] = {&record.soilType, &record.layerStructure, &record.fieldPosition};
    std::string *const texts2[] = {&record.altitude, &record.meteorological, &record.temperature};
    int *const checks[] = {&record.celsius, &record.fahrenheit};
    for (std::string *value : texts1) {
        if (!text(*value))
            return finish();
        ++items;
    }
    for (int *value : indexes) {
        if (!integer(*value))
            return finish();
        ++items;
    }
    for (std::string *value : texts2) {
        if (!text(*value))
            return finish();
        ++items;
    }
    for (int *value : checks) {
        if (!integer(*value))
            return finish();
        ++items;
    }
    if (!text(record.note))
        return finish();
    ++items;
    result.trailingBytes = m_remaining;
    return finish();
}

} // namespace tav
