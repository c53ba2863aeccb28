#include "cad/BlockGraph.h"

#include <algorithm>

namespace tav::cad {

double placements(const DxfSourceEntity &insert) {
    return double(std::max(insert.rows, 1)) * double(std::max(insert.columns, 1));
}

BlockGraph::BlockGraph(const DxfSource &source, int maxDepth, double maxEntities)
    : m_source(source), m_maxDepth(maxDepth), m_maxEntities(maxEntities) {}

std::optional<Refusal> BlockGraph::check(bool expanding) {
    Reach reach;
    if (auto refusal = countEntities(m_source.entities, 0, reach))
        return refusal;
    // Not expanded, an INSERT is still one rod symbol for each place its array puts it.
    double count = reach.entities;
    if (!expanding) {
        count = 0;
        for (const DxfSourceEntity &entity : m_source.entities)
            count += entity.kind == DxfSourceEntity::Kind::Insert ? placements(entity) : 1;
    }
    for (const auto &[key, n] : m_source.others)
        count += double(n);
    if (count > m_maxEntities)
        return Refusal{Error::DrawingTooManyEntities, Quantity::None, {count, m_maxEntities}};
    return std::nullopt;
}

std::optional<Refusal> BlockGraph::countEntities(const std::vector<DxfSourceEntity> &entities,
                                                 int depth, Reach &reach) {
    for (const DxfSourceEntity &entity : entities) {
        reach.entities += 1;
        if (entity.kind != DxfSourceEntity::Kind::Insert)
            continue;
        Reach inner;
        if (auto refusal = visit(upperCase(entity.block), depth + 1, inner))
            return refusal;
        // Each placement is a rod symbol and its block's entities: an empty block placed a
        // billion times is a billion points. Saturates at infinity rather than wrap.
        reach.entities += placements(entity) * (1 + inner.entities) - 1;
        reach.levels = std::max(reach.levels, inner.levels);
    }
    return std::nullopt;
}

std::optional<Refusal> BlockGraph::visit(const std::string &name, int depth, Reach &reach) {
    const auto block = m_source.blocks.find(name);
    if (block == m_source.blocks.end())
        return std::nullopt; // an INSERT of a block the file lacks places nothing
    const auto state = m_state.find(name);
    if (state != m_state.end() && state->second == State::Open)
        return Refusal{Error::DrawingBlockCycle, Quantity::None, {}};
    const Refusal tooDeep{Error::DrawingBlocksTooDeep, Quantity::None, {double(m_maxDepth)}};
    if (state != m_state.end()) {
        reach = m_reach[name];
        if (depth - 1 + reach.levels > m_maxDepth)
            return tooDeep;
        return std::nullopt;
    }
    if (depth > m_maxDepth)
        return tooDeep;
    m_state[name] = State::Open;
    Reach inner;
    if (auto refusal = countEntities(block->second.entities, depth, inner))
        return refusal;
    for (const auto &[key, n] : block->second.others)
        inner.entities += double(n);
    inner.levels += 1;
    m_state[name] = State::Done;
    m_reach[name] = inner;
    reach = inner;
    return std::nullopt;
}

} // namespace tav::cad
