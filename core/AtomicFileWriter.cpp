#include "core/AtomicFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tav {

namespace {

std::string folderOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path that a save through the path reaches: each symbolic link replaced by what it
// names, relative to the link's folder, until a name that is no link or names nothing yet.
// A loop, or a chain longer than the system follows, fails with ELOOP.
bool resolveLinks(std::string &path, int &error) {
    constexpr int kMostLinks = 40; // the kernel's own limit
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true;
        if (links == kMostLinks) {
            error = ELOOP;
            return false;
        }
        std::vector<char> text(PATH_MAX + 1);
        const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length < 0 || static_cast<std::size_t>(length) >= text.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string link(text.data(), static_cast<std::size_t>(length));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
}

// The earlier file's owner and group where the saver may give them (root may, an owner
// may give a group it belongs to); otherwise the new file stays the saver's.
void keepOwner(int fd, uid_t owner, gid_t group) {
    if (owner == ::geteuid() && group == ::getegid())
        return;
    if (::fchown(fd, owner, group) != 0 && ::fchown(fd, static_cast<uid_t>(-1), group) != 0) {
        // Neither is permitted: the saver's own.
    }
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

SiteWriteResult AtomicFileWriter::fail(SiteWriteStatus status, int error) {
    SiteWriteResult result;
    result.status = status;
    result.reason = std::strerror(error != 0 ? error : EIO);
    return result;
}

bool AtomicFileWriter::succeeded(int result) {
    // The first failure is the one reported.
    if (result != 0 && m_error == 0)
        m_error = errno;
    return result == 0;
}

bool AtomicFileWriter::writeAll(int fd, const char *data, std::size_t size) {
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

SiteWriteResult AtomicFileWriter::write(const std::string &path, const Content &content) {
    m_error = 0;
    std::string target = path;
    int error = 0;
    if (!resolveLinks(target, error))
        return fail(SiteWriteStatus::Refused, error);
    mode_t mode = newFileMode();
    struct stat status {};
    const bool replacing = ::stat(target.c_str(), &status) == 0;
    if (replacing) {
        // A folder or a device is never replaced by a file, nor a file the saver may not
        // write, though the folder would let a rename replace it.
        if (!S_ISREG(status.st_mode)) {
            SiteWriteResult refused = fail(SiteWriteStatus::Refused, EINVAL);
            refused.kind = fileKindOf(status.st_mode);
            return refused;
        }
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return fail(SiteWriteStatus::Refused, errno);
        mode = status.st_mode & 07777;
    }
    // A short name, so that any name the folder takes can be saved.
    std::string temporary = folderOf(target) + "/.tavXXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(SiteWriteStatus::CannotCreate, errno);
    temporary = name.data();
    if (replacing)
        keepOwner(fd, status.st_uid, status.st_gid);
    ::fchmod(fd, mode); // after the owner: a change of owner clears set-id bits

    bool ok = content(
        [this, fd](const char *data, std::size_t size) { return writeAll(fd, data, size); });
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

SiteWriteResult writeFileAtomically(const std::string &path, const std::string &bytes,
                                    SiteFileSystem &system) {
    AtomicFileWriter writer(system);
    return writer.write(path, [&bytes](const AtomicFileWriter::Output &output) {
        return bytes.empty() || output(bytes.data(), bytes.size());
    });
}

bool isSameFile(const std::string &path, const std::string &other) {
    struct stat first {};
    struct stat second {};
    return ::stat(path.c_str(), &first) == 0 && ::stat(other.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool isSameTarget(const std::string &path, const std::string &other) {
    std::string first = path;
    std::string second = other;
    int error = 0;
    // A loop of links is refused by the save itself.
    if (!resolveLinks(first, error) || !resolveLinks(second, error))
        return isSameFile(path, other);
    struct stat a {};
    struct stat b {};
    const bool firstExists = ::stat(first.c_str(), &a) == 0;
    const bool secondExists = ::stat(second.c_str(), &b) == 0;
    if (firstExists || secondExists)
        return firstExists && secondExists && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    const auto name = [](const std::string &p) { return p.substr(p.rfind('/') + 1); };
    return name(first) == name(second) && isSameFile(folderOf(first), folderOf(second));
}

} // namespace tav
