#pragma once

#include "core/SiteInformation.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tav {

// What a path names; anything but a regular file is never read or replaced.
enum class FileKind { RegularFile, Directory, CharacterDevice, BlockDevice, Pipe, Socket, Other };

// The kind of a file from its st_mode.
FileKind fileKindOf(std::uint32_t mode);

// Cannot create: the folder takes no new file there. Refused: an existing file that is
// not to be replaced (one the saver may not write, a link loop, anything but a regular
// file); the earlier file is as it was.
enum class SiteWriteStatus { Success, CannotCreate, Refused, WriteFailure };
enum class SiteReadStatus { Success, CannotOpen, EndOfFile, BadLength, OutOfMemory, InputError };

struct SiteWriteResult {
    SiteWriteStatus status = SiteWriteStatus::Success;
    std::string reason; // what the system said, when it failed
    // Refused: what the path names, when it is not a regular file.
    FileKind kind = FileKind::RegularFile;
};

struct SiteReadResult {
    SiteReadStatus status = SiteReadStatus::Success;
    int itemsRead = 0;  // complete items before the failing one; 15 on success
    std::string reason; // what the system said, for cannot open and input error
    // Cannot open: what the path names, when it is a folder, a pipe, a device.
    FileKind kind = FileKind::RegularFile;
    // Success: the bytes after the last item, which are never read.
    std::uint64_t trailingBytes = 0;
};

// The system calls a save makes, so that a test can fail them where a disk would.
class SiteFileSystem {
public:
    virtual ~SiteFileSystem() = default;
    virtual long write(int fd, const void *data, std::size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    static SiteFileSystem &standard();
};

// The field information file: fifteen items, strings with a length prefix and 32-bit
// little-endian integers, nothing before, between or after them.
namespace SiteFile {

// The file's bytes for a record.
std::string encode(const SiteInformation &record);

// Reads the items from bytes in memory into the record, each as soon as it is complete
// (the three date items together); a failure leaves the later items as they were. A
// string longer than what follows it fails as end of file before anything is allocated.
SiteReadResult decode(const unsigned char *data, std::size_t size, SiteInformation &record);

// As Decode, from a regular file. Anything else (a folder, a pipe, a device) cannot be
// opened, and the record is untouched.
SiteReadResult read(const std::string &path, SiteInformation &record);

// Writes the record to a new file beside the path, makes it durable and renames it over
// the path, so that a failure at any point leaves an earlier file as it was. Success only
// once the new file is in place. Through a symbolic link (or a chain of them) the file it
// names is saved, in its own folder, whether or not it exists yet. An existing file keeps
// its permissions and, where the saver may give it, its owner; one that the saver may not
// write, or anything but a regular file, is refused. A hard link is not followed: the path
// gets a new file, and the other names keep the earlier one.
SiteWriteResult write(const SiteInformation &record, const std::string &path,
                      SiteFileSystem &system = SiteFileSystem::standard());

} // namespace SiteFile
} // namespace tav
