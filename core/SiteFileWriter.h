#pragma once

#include "core/SiteFile.h"

#include <functional>
#include <string>

namespace tav {

// Writes a field information file so that it replaces an earlier one only when complete:
// into a temporary file in the same folder, synced to disk, then renamed over the target.
class SiteFileWriter {
public:
    using Output = std::function<bool(const char *data, std::size_t size)>;

    explicit SiteFileWriter(SiteFileSystem &system) : m_system(system) {}

    SiteWriteResult write(const SiteInformation &record, const std::string &path);

    // The fifteen items in order, through a 4096-byte buffer that goes to the output
    // whenever the next piece does not fit, and once more at the end. False as soon as the
    // output fails.
    static bool emit(const SiteInformation &record, const Output &output);

private:
    bool writeAll(int fd, const char *data, std::size_t size);
    // True for a system call's 0; otherwise keeps its errno unless a failure came first.
    bool succeeded(int result);
    SiteWriteResult fail(SiteWriteStatus status, int error);

    SiteFileSystem &m_system;
    int m_error = 0;
};

} // namespace tav
