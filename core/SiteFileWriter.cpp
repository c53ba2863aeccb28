#include "core/SiteFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

std::string folderOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

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

SiteWriteResult SiteFileWriter::fail(SiteWriteStatus status, int error) {
    SiteWriteResult result;
    result.status = status;
    result.reason = std::strerror(error != 0 ? error : EIO);
    return result;
}

bool SiteFileWriter::succeeded(int result) {
    // The first failure is the one reported.
    if (result != 0 && m_error == 0)
        m_error = errno;
    return result == 0;
}

bool SiteFileWriter::writeAll(int fd, const char *data, std::size_t size) {
    while (size > 0) {
        // One call writes at most what a signed long reports; larger pieces take several.
        const std::size_t piece = size < (std::size_t{1} << 30) ? size : std::size_t{1} << 30;
        const long written = m_system.write(fd, data, piece);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // A write of nothing is a full disk as surely as an error is.
            m_error = written < 0 ? errno : ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

SiteWriteResult SiteFileWriter::write(const SiteInformation &record, const std::string &path) {
    // Through a link, the file it names is replaced, as writing through the link would.
    std::string target = path;
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char *resolved = ::realpath(path.c_str(), nullptr);
        if (resolved != nullptr) {
            target = resolved;
            std::free(resolved);
        }
    }
    mode_t mode = newFileMode();
    if (::stat(target.c_str(), &status) == 0) {
        // A folder or a device is never replaced by a file.
        if (!S_ISREG(status.st_mode))
            return fail(SiteWriteStatus::CannotCreate, EISDIR);
        mode = status.st_mode & 07777;
    }
    std::string temporary = folderOf(target) + "/." + nameOf(target) + ".XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(SiteWriteStatus::CannotCreate, errno);
    temporary = name.data();
    ::fchmod(fd, mode);

    bool ok = emit(record, [this, fd](const char *data, std::size_t size) {
        return writeAll(fd, data, size);
    });
    ok = ok && succeeded(m_system.fsync(fd));
    ok = succeeded(m_system.close(fd)) && ok; // closed whatever came before
    ok = ok && succeeded(::rename(temporary.c_str(), target.c_str()));
    if (!ok) {
        ::unlink(temporary.c_str());
        return fail(SiteWriteStatus::WriteFailure, m_error);
    }
    // The rename itself reaches the disk with the folder; a failure here loses nothing.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

} // namespace tav
