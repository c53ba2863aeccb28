#pragma once

#include "core/SiteFile.h"

#include <cstddef>
#include <string>

namespace tav {

// A document read whole from a regular file and nothing else: it is opened without
// blocking (a named pipe with no writer would hold its reader), anything but a regular
// file is refused by what it is, and no more than a given size is read.
struct RegularFileRead {
    enum class Status { Read, NotRegular, Failed, TooLong };
    Status status = Status::Failed;
    FileKind kind = FileKind::Other; // NotRegular: what the path names
    int error = 0;                   // Failed: errno
    std::string bytes;               // Read: the whole content
};

RegularFileRead readRegularFile(const std::string &path, std::size_t most);

} // namespace tav
