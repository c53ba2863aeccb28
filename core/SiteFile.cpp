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

FileKind fileKindOf(std::uint32_t mode) {
    switch (mode & S_IFMT) {
    case S_IFREG:
        return FileKind::RegularFile;
    case S_IFDIR:
        return FileKind::Directory;
    case S_IFCHR:
        return FileKind::CharacterDevice;
    case S_IFBLK:
        return FileKind::BlockDevice;
    case S_IFIFO:
        return FileKind::Pipe;
    case S_IFSOCK:
        return FileKind::Socket;
    default:
        return FileKind::Other;
    }
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
    const bool opened = fd >= 0 && ::fstat(fd, &status) == 0;
    if (!opened || !S_ISREG(status.st_mode)) {
        result.status = SiteReadStatus::CannotOpen;
        if (opened)
            result.kind = fileKindOf(status.st_mode);
        else
            result.reason = std::strerror(errno);
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
