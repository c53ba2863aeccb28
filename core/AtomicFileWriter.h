#pragma once

#include "core/SiteFile.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tav {

// Saves a file so that it replaces an earlier one only when complete: into a temporary
// file in the same folder, synced to disk, then renamed over the target. Through a
// symbolic link (or a chain of them) the file it names is saved; an existing file keeps
// its permissions and, where the saver may give it, its owner; one the saver may not
// write, or anything but a regular file, is refused and stays as it was.
class AtomicFileWriter {
public:
    using Output = std::function<bool(const char *data, std::size_t size)>;
    // Writes the whole file through the output it is given; false as soon as it fails.
    using Content = std::function<bool(const Output &output)>;

    explicit AtomicFileWriter(SiteFileSystem &system) : m_system(system) {}

    SiteWriteResult write(const std::string &path, const Content &content);

private:
    bool writeAll(int fd, const char *data, std::size_t size);
    // True for a system call's 0; otherwise keeps its errno unless a failure came first.
    bool succeeded(int result);
    static SiteWriteResult fail(SiteWriteStatus status, int error);

    SiteFileSystem &m_system;
    int m_error = 0;
};

// The bytes as the whole file, saved as AtomicFileWriter does.
SiteWriteResult writeFileAtomically(const std::string &path, const std::string &bytes,
                                    SiteFileSystem &system = SiteFileSystem::standard());

// Whether both paths name one existing file (the same device and inode), through links
// and whatever the spelling: a save through the one would replace the other.
bool isSameFile(const std::string &path, const std::string &other);

// Whether a save through the one path would reach what the other names: one existing
// file (through links and whatever the spelling), or, where neither exists yet, one name
// in one folder, so that the second of two saves would replace the first.
bool isSameTarget(const std::string &path, const std::string &other);

} // namespace tav
