#include "cad/DxfEntityParser.h"

#include <cmath>

namespace tav::cad {

namespace {

constexpr int kClosed = 1;
constexpr int kPolyline3d = 8;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;
constexpr int kSplineFrameVertex = 16;

} // namespace

std::optional<DxfSourceEntity::Kind> DxfEntityParser::kindOf(const std::string &type) {
    using Kind = DxfSourceEntity::Kind;
    if (type == "LINE")
        return Kind::Line;
    if (type == "ARC")
        return Kind::Arc;
    if (type == "LWPOLYLINE")
        return Kind::LwPolyline;
    if (type == "POLYLINE")
        return Kind::Polyline;
    if (type == "POINT")
        return Kind::Point;
    if (type == "CIRCLE")
        return Kind::Circle;
    if (type == "INSERT")
        return Kind::Insert;
    return std::nullopt;
}

DxfEntityParser::Outcome DxfEntityParser::read(const std::string &type, DxfSourceEntity &entity) {
    using Kind = DxfSourceEntity::Kind;
    entity = DxfSourceEntity{};
    entity.type = type;
    m_paperSpace = false;
    m_attributesFollow = false;
    m_flags = 0;
    m_extrusion[0] = m_extrusion[1] = 0;
    m_extrusion[2] = 1;
    const std::optional<Kind> kind = kindOf(type);
    entity.kind = kind.value_or(Kind::Line);
    Outcome outcome = readGroups(entity);
    if (outcome == Outcome::Broken)
        return outcome;
    entity.offPlane = !(std::fabs(m_extrusion[0]) < 1e-9 && std::fabs(m_extrusion[1]) < 1e-9 &&
                        m_extrusion[2] > 0);
    bool mesh = false;
    // An INSERT's code 70 is its count of columns, not flags.
    if (kind == Kind::Insert)
        entity.columns = m_flags == 0 ? 1 : m_flags;
    if (kind == Kind::Polyline) {
        mesh = (m_flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
        entity.closed = (m_flags & kClosed) != 0;
        entity.world = (m_flags & kPolyline3d) != 0;
        outcome = readVertices(entity);
    } else if (kind == Kind::Insert && m_attributesFollow) {
        outcome = skipUntilSeqend();
    } else if (kind == Kind::LwPolyline) {
        entity.closed = (m_flags & kClosed) != 0;
    }
    if (outcome == Outcome::Broken)
        return outcome;
    entity.world = entity.world || kind == Kind::Line || kind == Kind::Point;
    if (m_paperSpace)
        return Outcome::PaperSpace;
    return kind && !mesh ? Outcome::Taken : Outcome::Other;
}

DxfEntityParser::Outcome DxfEntityParser::readGroups(DxfSourceEntity &entity) {
    DxfSourceVertex point;
    DxfSourceVertex second;
    double elevation = 0;
    for (;;) {
        const DxfGroupReader::Status status = m_reader.next();
        if (status != DxfGroupReader::Status::Group)
            return Outcome::Broken;
        const int code = m_reader.code();
        if (code == 0) {
            m_reader.putBack();
            break;
        }
        bool sound = true;
        int whole = 0;
        if (code == 8)
            entity.layer = std::string(m_reader.value());
        else if (code == 67)
            m_paperSpace = m_reader.integer(whole) && whole == 1;
        else if (code == 66)
            m_attributesFollow = m_reader.integer(whole) && whole == 1;
        else if (code == 70)
            sound = m_reader.integer(m_flags);
        else if (code >= 210 && code <= 230 && code % 10 == 0)
            sound = m_reader.number(m_extrusion[(code - 210) / 10]);
        else if (code == 38 && entity.kind == DxfSourceEntity::Kind::LwPolyline)
            sound = m_reader.number(elevation);
        else if (entity.kind == DxfSourceEntity::Kind::LwPolyline)
            sound = takeLwVertex(entity);
        else
            sound = takeGroup(entity, point, second);
        if (!sound)
            return Outcome::Broken;
    }
    if (entity.kind == DxfSourceEntity::Kind::LwPolyline) {
        for (DxfSourceVertex &vertex : entity.vertices)
            vertex.z = elevation;
    } else if (entity.kind == DxfSourceEntity::Kind::Line) {
        entity.vertices = {point, second};
    } else if (entity.kind != DxfSourceEntity::Kind::Polyline) {
        entity.vertices = {point};
    } else {
        entity.vertices.clear();
        entity.radius = point.z; // a POLYLINE's elevation, until its vertices are read
    }
    return Outcome::Taken;
}

bool DxfEntityParser::takeGroup(DxfSourceEntity &entity, DxfSourceVertex &point,
                                DxfSourceVertex &second) {
    const int code = m_reader.code();
    switch (code) {
    case 10:
        return m_reader.number(point.x);
    case 20:
        return m_reader.number(point.y);
    case 30:
        return m_reader.number(point.z);
    case 11:
        return m_reader.number(second.x);
    case 21:
        return m_reader.number(second.y);
    case 31:
        return m_reader.number(second.z);
    case 40:
        return m_reader.number(entity.radius);
    case 41:
        return m_reader.number(entity.scaleX);
    case 42:
        return m_reader.number(entity.scaleY);
    case 43:
        return m_reader.number(entity.scaleZ);
    case 44:
        return m_reader.number(entity.columnSpacing);
    case 45:
        return m_reader.number(entity.rowSpacing);
    case 50:
        return entity.kind == DxfSourceEntity::Kind::Arc ? m_reader.number(entity.startAngle)
                                                         : m_reader.number(entity.rotation);
    case 51:
        return m_reader.number(entity.endAngle);
    case 71:
        return m_reader.integer(entity.rows);
    case 2:
        entity.block = std::string(m_reader.value());
        return true;
    default:
        return true;
    }
}

bool DxfEntityParser::takeLwVertex(DxfSourceEntity &entity) {
    const int code = m_reader.code();
    if (code == 10) {
        entity.vertices.emplace_back();
        return m_reader.number(entity.vertices.back().x);
    }
    if (entity.vertices.empty())
        return true;
    if (code == 20)
        return m_reader.number(entity.vertices.back().y);
    if (code == 42)
        return m_reader.number(entity.vertices.back().bulge);
    return true;
}

DxfEntityParser::Outcome DxfEntityParser::readVertices(DxfSourceEntity &entity) {
    const double elevation = entity.radius;
    entity.radius = 0;
    for (;;) {
        if (m_reader.next() != DxfGroupReader::Status::Group)
            return Outcome::Broken;
        if (m_reader.value() == "SEQEND")
            break;
        if (m_reader.value() != "VERTEX") {
            // A POLYLINE without its SEQEND ends where another entity begins.
            m_reader.putBack();
            return Outcome::Taken;
        }
        DxfSourceVertex vertex;
        int flags = 0;
        for (;;) {
            if (m_reader.next() != DxfGroupReader::Status::Group)
                return Outcome::Broken;
            const int code = m_reader.code();
            bool sound = true;
            if (code == 0) {
                m_reader.putBack();
                break;
            }
            if (code == 10)
                sound = m_reader.number(vertex.x);
            else if (code == 20)
                sound = m_reader.number(vertex.y);
            else if (code == 30)
                sound = m_reader.number(vertex.z);
            else if (code == 42)
                sound = m_reader.number(vertex.bulge);
            else if (code == 70)
                sound = m_reader.integer(flags);
            if (!sound)
                return Outcome::Broken;
        }
        if (!entity.world)
            vertex.z = elevation;
        // A spline-fit polyline's frame is drawn by the fitted vertices beside it.
        if ((flags & kSplineFrameVertex) == 0)
            entity.vertices.push_back(vertex);
    }
    DxfSourceEntity seqend;
    return readGroups(seqend) == Outcome::Broken ? Outcome::Broken : Outcome::Taken;
}

DxfEntityParser::Outcome DxfEntityParser::skipUntilSeqend() {
    for (;;) {
        const DxfGroupReader::Status status = m_reader.next();
        if (status != DxfGroupReader::Status::Group)
            return Outcome::Broken;
        if (m_reader.code() != 0)
            continue;
        if (m_reader.value() == "SEQEND")
            break;
        if (m_reader.value() != "ATTRIB" && m_reader.value() != "VERTEX") {
            m_reader.putBack();
            return Outcome::Taken;
        }
    }
    DxfSourceEntity seqend;
    return readGroups(seqend) == Outcome::Broken ? Outcome::Broken : Outcome::Taken;
}

} // namespace tav::cad
