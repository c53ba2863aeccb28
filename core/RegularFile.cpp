#include "core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {

RegularFileRead readRegularFile(const std::string &path, std::size_t most) {
    RegularFileRead result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        result.status = RegularFileRead::Status::NotRegular;
        result.kind = fileKindOf(status.st_mode);
        ::close(fd);
        return result;
    }
    // Up to the limit and one byte more, so that too much is told from enough.
    char piece[1 << 16];
    result.status = RegularFileRead::Status::Read;
    while (result.bytes.size() <= most) {
        const ssize_t got = ::read(fd, piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.status = RegularFileRead::Status::Failed;
            result.error = errno;
            break;
        }
        if (got == 0)
            break;
        result.bytes.append(piece, std::size_t(got));
    }
    ::close(fd);
    if (result.status == RegularFileRead::Status::Read && result.bytes.size() > most) {
        result.status = RegularFileRead::Status::TooLong;
        result.bytes.clear();
    }
    return result;
}

} // namespace tav
