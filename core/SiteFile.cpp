#include "core/SiteFile.h"

#include "core/SiteFileReader.h"
#include "core/SiteFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {

long SiteFileSystem::write(int fd, const void *data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

int SiteFileSystem::fsync(int fd) {
    return ::fsync(fd);
}

int SiteFileSystem::close(int fd) {
    return ::close(fd);
}

SiteFileSystem &SiteFileSystem::standard() {
    static SiteFileSystem system;
    return system;
}

namespace SiteFile {

std::string encode(const SiteInformation &record) {
    std::string bytes;
    SiteFileWriter::emit(record, [&bytes](const char *data, std::size_t size) {
        bytes.append(data, size);
        return true;
    });
    return bytes;
}

SiteReadResult decode(const unsigned char *data, std::size_t size, SiteInformation &record) {
    SiteFileReader reader(data, size);
    return reader.readInto(record);
}

SiteReadResult read(const std::string &path, SiteInformation &record) {
    SiteReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        result.status = SiteReadStatus::CannotOpen;
        if (fd < 0)
            result.reason = std::strerror(errno);
        result.notRegularFile = fd >= 0;
        if (fd >= 0)
            ::close(fd);
        return result;
    }
    SiteFileReader reader(fd, static_cast<std::uint64_t>(status.st_size));
    result = reader.readInto(record);
    ::close(fd);
    return result;
}

SiteWriteResult write(const SiteInformation &record, const std::string &path,
                      SiteFileSystem &system) {
    SiteFileWriter writer(system);
    return writer.write(record, path);
}

} // namespace SiteFile
} // namespace tav
