#include "cad/DxfFlattener.h"

#include "cad/BlockGraph.h"
#include "cad/BulgeArc.h"

#include <algorithm>
#include <cmath>

namespace tav::cad {

namespace {

DxfVertex vertexOf(const DxfSourceVertex &v) { return {v.x, v.y, v.z}; }

} // namespace

DxfFlattener::DxfFlattener(const DxfSource &source, const DxfReadOptions &options)
    : m_source(source), m_options(options) {}

void DxfFlattener::run() {
    place(m_source.entities, m_source.others, Placement::identity(), nullptr);
}

void DxfFlattener::place(const std::vector<DxfSourceEntity> &entities, const DxfEntityCounts &others,
                         const Placement &placement, const std::string *insertLayer) {
    const auto layerOf = [insertLayer](const std::string &layer) -> const std::string & {
        return insertLayer && layer == "0" ? *insertLayer : layer;
    };
    for (const auto &[key, count] : others)
        m_ignored[{key.first, layerOf(key.second)}] += count;
    for (const DxfSourceEntity &entity : entities)
        placeOne(entity, placement, layerOf(entity.layer));
}

void DxfFlattener::placeOne(const DxfSourceEntity &entity, const Placement &placement,
                            const std::string &layer) {
    using Kind = DxfSourceEntity::Kind;
    // An entity drawn in a plane of its own would land elsewhere than its coordinates say.
    if (entity.offPlane && !entity.world) {
        ++m_ignored[{entity.type, layer}];
        return;
    }
    switch (entity.kind) {
    case Kind::Point:
    case Kind::Circle: {
        DxfPoint point;
        point.layer = layer;
        point.at = placement.apply(vertexOf(entity.vertices.front()));
        point.radius = entity.radius * placement.largestScale();
        point.kind = entity.kind == Kind::Point ? DxfPointKind::Point : DxfPointKind::Circle;
        m_points.push_back(std::move(point));
        return;
    }
    case Kind::Insert:
        placeInsert(entity, placement, layer);
        return;
    case Kind::Line:
    case Kind::Arc:
    case Kind::LwPolyline:
    case Kind::Polyline:
        takePolyline(entity, placement, layer);
        return;
    }
}

void DxfFlattener::placeInsert(const DxfSourceEntity &insert, const Placement &placement,
                               const std::string &layer) {
    const auto block = m_source.blocks.find(upperCase(insert.block));
    const DxfVertex base = block != m_source.blocks.end() ? block->second.base : DxfVertex{};
    const DxfVertex at = vertexOf(insert.vertices.front());
    const double radians = insert.rotation * M_PI / 180;
    const int columns = std::max(insert.columns, 1);
    const int rows = std::max(insert.rows, 1);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            // An array's spacing runs along the block's rotated axes, unscaled.
            const double u = column * insert.columnSpacing;
            const double v = row * insert.rowSpacing;
            const DxfVertex cell{at.x + u * std::cos(radians) - v * std::sin(radians),
                                 at.y + u * std::sin(radians) + v * std::cos(radians), at.z};
            const Placement local = Placement::insert(cell, base, insert.scaleX, insert.scaleY,
                                                      insert.scaleZ, insert.rotation);
            DxfPoint point;
            point.layer = layer;
            point.at = placement.apply(cell);
            point.kind = DxfPointKind::Insert;
            m_points.push_back(std::move(point));
            if (m_options.expandBlocks && block != m_source.blocks.end())
                place(block->second.entities, block->second.others, placement.after(local), &layer);
        }
    }
}

std::vector<DxfVertex> DxfFlattener::localVertices(const DxfSourceEntity &entity,
                                                   double maxChord) const {
    using Kind = DxfSourceEntity::Kind;
    if (entity.kind == Kind::Arc)
        return BulgeArc::arc(vertexOf(entity.vertices.front()), entity.radius, entity.startAngle,
                             entity.endAngle, maxChord);
    const std::vector<DxfSourceVertex> &source = entity.vertices;
    std::vector<DxfVertex> vertices;
    if (source.empty())
        return vertices;
    vertices.push_back(vertexOf(source.front()));
    const std::size_t n = source.size();
    const std::size_t segments = entity.closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const DxfSourceVertex &from = source[i];
        const DxfSourceVertex &to = source[(i + 1) % n];
        const std::vector<DxfVertex> arc =
            BulgeArc::bulged(vertexOf(from), vertexOf(to), from.bulge, maxChord);
        vertices.insert(vertices.end(), arc.begin(), arc.end());
    }
    // The closing segment came back to the first vertex, which the closed flag implies.
    if (entity.closed && n > 1)
        vertices.pop_back();
    return vertices;
}

void DxfFlattener::takePolyline(const DxfSourceEntity &entity, const Placement &placement,
                                const std::string &layer) {
    const double scale = placement.largestScale();
    const double maxChord = scale > 0 ? m_options.maxChord / scale : m_options.maxChord;
    std::vector<DxfVertex> vertices = localVertices(entity, maxChord);
    if (vertices.size() < 2) {
        ++m_ignored[{entity.type, layer}];
        return;
    }
    DxfPolyline polyline;
    polyline.layer = layer;
    polyline.closed = entity.closed && entity.kind != DxfSourceEntity::Kind::Arc;
    polyline.vertices.reserve(vertices.size());
    for (const DxfVertex &vertex : vertices)
        polyline.vertices.push_back(placement.apply(vertex));
    m_polylines.push_back(std::move(polyline));
}

} // namespace tav::cad
