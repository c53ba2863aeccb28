#include "core/SiteFileWriter.h"

#include <cstdint>
#include <cstring>

namespace tav {

namespace {

class ItemBuffer {
public:
    explicit ItemBuffer(const SiteFileWriter::Output &output) : m_output(output) {}

    bool bytes(const char *data, std::size_t size) {
        if (m_used + size > sizeof m_buffer && !flush())
            return false;
        if (size > sizeof m_buffer)
            return m_output(data, size);
        std::memcpy(m_buffer + m_used, data, size);
        m_used += size;
        return true;
    }

    template <class Unsigned> bool littleEndian(Unsigned value) {
        char bytesOf[sizeof(Unsigned)];
        for (char &byte : bytesOf) {
            byte = static_cast<char>(value & 0xFF);
            value = static_cast<Unsigned>(value >> 8);
        }
        return bytes(bytesOf, sizeof bytesOf);
    }

    bool integer(int value) { return littleEndian(static_cast<std::uint32_t>(value)); }

    // The shortest prefix for the length: one byte up to 254, then FF and 16, 32 or 64 bits.
    bool text(const std::string &value) {
        const std::uint64_t length = value.size();
        bool ok = true;
        if (length < 0xFF) {
            ok = littleEndian(static_cast<std::uint8_t>(length));
        } else {
            ok = littleEndian(std::uint8_t{0xFF});
            if (length < 0xFFFE) {
                ok = ok && littleEndian(static_cast<std::uint16_t>(length));
            } else {
                ok = ok && littleEndian(std::uint16_t{0xFFFF});
                if (length < 0xFFFFFFFFu)
                    ok = ok && littleEndian(static_cast<std::uint32_t>(length));
                else
                    ok = ok && littleEndian(std::uint32_t{0xFFFFFFFFu}) && littleEndian(length);
            }
        }
        return ok && bytes(value.data(), value.size());
    }

    bool flush() {
        if (m_used == 0)
            return true;
        const std::size_t used = m_used;
        m_used = 0;
        return m_output(m_buffer, used);
    }

private:
    const SiteFileWriter::Output &m_output;
    char m_buffer[4096];
    std::size_t m_used = 0;
};

} // namespace

bool SiteFileWriter::emit(const SiteInformation &record, const Output &output) {
    ItemBuffer out(output);
    const SiteDate &date = record.date;
    return out.text(record.clientCompanyName) && out.text(record.fieldName) &&
           out.integer(date.valid ? date.year : -1) && out.integer(date.valid ? date.month : -1) &&
           out.integer(date.valid ? date.day : -1) && out.text(record.fileNumber) &&
           out.integer(record.soilType) && out.integer(record.layerStructure) &&
           out.integer(record.fieldPosition) && out.text(record.altitude) &&
           out.text(record.meteorological) && out.text(record.temperature) &&
           out.integer(record.celsius) && out.integer(record.fahrenheit) && out.text(record.note) &&
           out.flush();
}

SiteWriteResult SiteFileWriter::write(const SiteInformation &record, const std::string &path) {
    AtomicFileWriter writer(m_system);
    return writer.write(path, [&record](const Output &output) { return emit(record, output); });
}

} // namespace tav
