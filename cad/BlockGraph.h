#pragma once

#include "cad/DxfSource.h"
#include "core/errors.h"

#include <map>
#include <optional>
#include <string>

namespace tav::cad {

// Checks the blocks a drawing's model space inserts before any is expanded: a block that
// inserts itself (directly or through others) and nesting deeper than allowed are refused,
// and so is a drawing whose entities, each block's counted as often as it is placed
// (arrays included), number more than allowed. Each block is looked at once, however often
// it is inserted, so that neither a cycle nor a wide tree of inserts takes long.
class BlockGraph {
public:
    BlockGraph(const DxfSource &source, int maxDepth, double maxEntities);

    // Expanding: whether blocks are expanded at all; otherwise only their nesting is checked.
    std::optional<Refusal> check(bool expanding);

private:
    // The entities a block expands into, or a refusal; `depth` counts the blocks open above.
    // The entities a block expands into and how many levels of blocks it holds, itself one.
    struct Reach {
        double entities = 0;
        int levels = 0;
    };
    // Depth: the blocks open above it.
    std::optional<Refusal> visit(const std::string &name, int depth, Reach &reach);
    std::optional<Refusal> countEntities(const std::vector<DxfSourceEntity> &entities, int depth,
                                         Reach &reach);

    enum class State { Open, Done };
    const DxfSource &m_source;
    int m_maxDepth;
    double m_maxEntities;
    std::map<std::string, State> m_state;
    std::map<std::string, Reach> m_reach;
};

// How often an INSERT places its block: its rows by its columns, each at least 1.
double placements(const DxfSourceEntity &insert);

} // namespace tav::cad
