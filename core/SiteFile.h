#pragma once

#include "core/SiteInformation.h"

#include <cstddef>
#include <string>

namespace tav {

enum class SiteWriteStatus { Success, CannotCreate, WriteFailure };
enum class SiteReadStatus { Success, CannotOpen, EndOfFile, BadLength, OutOfMemory, InputError };

struct SiteWriteResult {
    SiteWriteStatus status = SiteWriteStatus::Success;
    std::string reason; // what the system said, when it failed
};

struct SiteReadResult {
    SiteReadStatus status = SiteReadStatus::Success;
    int itemsRead = 0;  // complete items before the failing one; 15 on success
    std::string reason; // what the system said, for cannot open and input error
    // Cannot open: the path names a folder, a pipe, a device, not a regular file.
    bool notRegularFile = false;
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
// once the new file is in place. A path that names anything but a regular file (or a
// link to one) is not replaced: cannot create.
SiteWriteResult write(const SiteInformation &record, const std::string &path,
                      SiteFileSystem &system = SiteFileSystem::standard());

} // namespace SiteFile
} // namespace tav
