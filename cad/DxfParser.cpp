#include "cad/DxfParser.h"

#include "cad/DxfEntityParser.h"

#include <cctype>

namespace tav::cad {

std::string upperCase(std::string text) {
    for (char &c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

DxfParser::DxfParser(std::string_view text, std::size_t maxEntities)
    : m_text(text), m_reader(text), m_maxEntities(maxEntities) {}

std::size_t DxfParser::countEntityRecords(std::string_view text) const {
    DxfGroupReader reader(text);
    std::size_t count = 0;
    bool inEntities = false;
    bool sectionName = false;
    while (reader.next() == DxfGroupReader::Status::Group) {
        const int code = reader.code();
        const std::string_view value = reader.value();
        if (sectionName && code == 2)
            inEntities = value == "ENTITIES" || value == "BLOCKS";
        sectionName = code == 0 && value == "SECTION";
        if (code != 0 || !inEntities)
            continue;
        if (value == "ENDSEC")
            inEntities = false;
        else if (value != "BLOCK" && value != "ENDBLK" && value != "VERTEX" && value != "SEQEND" &&
                 value != "ATTRIB")
            ++count;
    }
    return count;
}

Refusal DxfParser::unreadable() const {
    return Refusal{Error::DrawingUnreadable, Quantity::None, {double(m_reader.line())}};
}

Refusable<DxfSource> DxfParser::parse() {
    using Status = DxfGroupReader::Status;
    const std::size_t records = countEntityRecords(m_text);
    if (records > m_maxEntities)
        return Refusal{Error::DrawingTooManyEntities, Quantity::None,
                       {double(records), double(m_maxEntities)}};
    bool first = true;
    for (;;) {
        const Status status = m_reader.next();
        if (status == Status::Group && m_reader.code() == 999)
            continue;
        const bool section = status == Status::Group && m_reader.code() == 0 &&
                             m_reader.value() == "SECTION";
        if (first && !section)
            return Refusal{Error::DrawingNotDxf, Quantity::None, {}};
        first = false;
        if (status == Status::Group && m_reader.code() == 0 && m_reader.value() == "EOF")
            break;
        // Some writers end the file without EOF; one that breaks off inside a section does
        // not come here.
        if (status == Status::End)
            break;
        if (!section)
            return unreadable();
        if (m_reader.next() != Status::Group || m_reader.code() != 2)
            return unreadable();
        if (!readSection(m_reader.value()))
            return unreadable();
    }
    if (m_source.entityRecords > m_maxEntities)
        return Refusal{Error::DrawingTooManyEntities, Quantity::None,
                       {double(m_source.entityRecords), double(m_maxEntities)}};
    return std::move(m_source);
}

bool DxfParser::readSection(const std::string_view name) {
    if (name == "HEADER")
        return readHeader();
    if (name == "BLOCKS")
        return readBlocks();
    if (name == "ENTITIES") {
        if (!readEntities("ENDSEC", m_source.entities, m_source.others))
            return false;
        return m_reader.next() == DxfGroupReader::Status::Group;
    }
    return skipSection();
}

bool DxfParser::skipSection() {
    for (;;) {
        if (m_reader.next() != DxfGroupReader::Status::Group)
            return false;
        if (m_reader.code() == 0 && m_reader.value() == "ENDSEC")
            return true;
    }
}

bool DxfParser::readHeader() {
    bool units = false;
    for (;;) {
        if (m_reader.next() != DxfGroupReader::Status::Group)
            return false;
        const int code = m_reader.code();
        if (code == 0 && m_reader.value() == "ENDSEC")
            return true;
        if (code == 9) {
            units = m_reader.value() == "$INSUNITS";
        } else if (units && code == 70) {
            int value = 0;
            if (!m_reader.integer(value))
                return false;
            m_source.insunits = value;
            units = false;
        }
    }
}

bool DxfParser::readBlocks() {
    for (;;) {
        if (m_reader.next() != DxfGroupReader::Status::Group)
            return false;
        if (m_reader.code() != 0)
            continue;
        if (m_reader.value() == "ENDSEC")
            return true;
        if (m_reader.value() == "BLOCK" && !readBlock())
            return false;
    }
}

bool DxfParser::readBlock() {
    DxfBlock block;
    std::string name;
    for (;;) {
        if (m_reader.next() != DxfGroupReader::Status::Group)
            return false;
        const int code = m_reader.code();
        if (code == 0) {
            m_reader.putBack();
            break;
        }
        bool sound = true;
        if (code == 2)
            name = std::string(m_reader.value());
        else if (code == 10)
            sound = m_reader.number(block.base.x);
        else if (code == 20)
            sound = m_reader.number(block.base.y);
        else if (code == 30)
            sound = m_reader.number(block.base.z);
        if (!sound)
            return false;
    }
    if (!readEntities("ENDBLK", block.entities, block.others))
        return false;
    m_source.blocks[upperCase(name)] = std::move(block);
    return true;
}

bool DxfParser::readEntities(std::string_view end, std::vector<DxfSourceEntity> &entities,
                             DxfEntityCounts &others) {
    DxfEntityParser parser(m_reader);
    DxfSourceEntity entity;
    for (;;) {
        if (m_reader.next() != DxfGroupReader::Status::Group || m_reader.code() != 0)
            return false;
        const std::string type(m_reader.value());
        if (type == end) {
            m_reader.putBack();
            return true;
        }
        // A section or block that breaks off where the next one begins.
        if (type == "ENDSEC" || type == "EOF" || type == "SECTION" || type == "BLOCK")
            return false;
        const DxfEntityParser::Outcome outcome = parser.read(type, entity);
        if (outcome == DxfEntityParser::Outcome::Broken)
            return false;
        ++m_source.entityRecords;
        if (outcome == DxfEntityParser::Outcome::PaperSpace || m_source.entityRecords > m_maxEntities)
            continue;
        if (outcome == DxfEntityParser::Outcome::Taken)
            entities.push_back(std::move(entity));
        else
            ++others[{type, entity.layer}];
    }
}

} // namespace tav::cad
