#pragma once

#include "core/AtomicFileWriter.h"
#include "core/SiteFile.h"

#include <string>

namespace tav {

// Writes a field information file so that it replaces an earlier one only when complete,
// through AtomicFileWriter.
class SiteFileWriter {
public:
    using Output = AtomicFileWriter::Output;

    explicit SiteFileWriter(SiteFileSystem &system) : m_system(system) {}

    SiteWriteResult write(const SiteInformation &record, const std::string &path);

    // The fifteen items in order, through a 4096-byte buffer that goes to the output
    // whenever the next piece does not fit, and once more at the end. False as soon as the
    // output fails.
    static bool emit(const SiteInformation &record, const Output &output);

private:
    SiteFileSystem &m_system;
};

} // namespace tav
