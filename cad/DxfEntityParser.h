#pragma once

#include "cad/DxfGroupReader.h"
#include "cad/DxfSource.h"

#include <optional>
#include <string>

namespace tav::cad {

// Reads one entity record, its type already read: the groups up to the next code 0 and,
// for a POLYLINE, its VERTEXes and SEQEND, for an INSERT with attributes its ATTRIBs and
// SEQEND.
class DxfEntityParser {
public:
    enum class Outcome { Taken, Other, PaperSpace, Broken };

    explicit DxfEntityParser(DxfGroupReader &reader) : m_reader(reader) {}

    // Taken: the entity is in `entity`; Other: a type not taken, its layer in `entity`.
    Outcome read(const std::string &type, DxfSourceEntity &entity);

private:
    Outcome readGroups(DxfSourceEntity &entity);
    bool takeGroup(DxfSourceEntity &entity, DxfSourceVertex &point, DxfSourceVertex &second);
    bool takeLwVertex(DxfSourceEntity &entity);
    Outcome readVertices(DxfSourceEntity &entity);
    Outcome skipUntilSeqend();
    static std::optional<DxfSourceEntity::Kind> kindOf(const std::string &type);

    DxfGroupReader &m_reader;
    bool m_paperSpace = false;
    bool m_attributesFollow = false;
    int m_flags = 0;
    double m_extrusion[3] = {0, 0, 1};
};

} // namespace tav::cad
