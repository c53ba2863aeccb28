#pragma once

#include "cad/DxfGroupReader.h"
#include "cad/DxfSource.h"
#include "core/errors.h"

#include <cstddef>
#include <string_view>

namespace tav::cad {

// Reads an ASCII DXF file's text into its header's unit, its blocks and its model space's
// entities. Tables, classes, objects and paper space are passed over. Past the most
// entity records it keeps counting but stores no more, so that a refusal names the count.
class DxfParser {
public:
    DxfParser(std::string_view text, std::size_t maxEntities);

    Refusable<DxfSource> parse();

private:
    // Entity records in the file, counted before any is stored, so that a file of millions
    // is refused without holding them.
    std::size_t countEntityRecords(std::string_view text) const;
    bool readSection(const std::string_view name);
    bool readHeader();
    bool readBlocks();
    bool readBlock();
    // Entities up to the code 0 whose value is `end` (ENDSEC or ENDBLK), not read.
    bool readEntities(std::string_view end, std::vector<DxfSourceEntity> &entities,
                      DxfEntityCounts &others);
    bool skipSection();
    Refusal unreadable() const;

    std::string_view m_text;
    DxfGroupReader m_reader;
    std::size_t m_maxEntities;
    DxfSource m_source;
};

} // namespace tav::cad
