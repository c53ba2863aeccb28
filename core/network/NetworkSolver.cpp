#include "core/network/NetworkSolver.h"

#include "core/network/Ladder.h"
#include "core/network/NetworkCheck.h"
#include "core/network/ReturnPath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace tav::network {

namespace {

// A line or cable as the station sees it: its ladder, when it has return conductors.
struct Branch {
    Complex current;
    Complex reduction{1, 0};
    std::optional<Ladder> ladder;
};

Branch branchOf(const Network &network, const Line &line) {
    Branch b{line.current, {1, 0}, std::nullopt};
    if (line.earthWires.empty())
        return b;
    const ReturnPath path = ReturnPath::of(line, network.earthReturnRho, network.frequency);
    b.reduction = path.reductionFactor();
    const Complex z = path.impedance * (line.span / 1000);
    if (!line.spans) {
        b.ladder = Ladder::endless(z, path.induced, line.towerResistance[0]);
        return b;
    }
    const std::size_t inner = std::size_t(*line.spans - 1);
    std::vector<double> towers = line.towerResistance;
    if (towers.size() != inner)
        towers.assign(inner, towers.empty() ? 0 : towers[0]);
    b.ladder = Ladder::finite(z, path.induced, *line.spans, towers, line.remoteResistance);
    return b;
}

Branch branchOf(const Network &network, const Cable &cable) {
    const ReturnPath path = ReturnPath::of(cable, network.earthReturnRho, network.frequency);
    return {cable.current, path.reductionFactor(),
            Ladder::finite(path.impedance * (cable.length / 1000), path.induced, 1, {},
                           cable.remoteResistance)};
}

BranchResult resultOf(const std::string &name, const Branch &b, Complex v0) {
    BranchResult r;
    r.name = name;
    r.reductionFactor = b.reduction;
    if (!b.ladder)
        return r;
    const Ladder &l = *b.ladder;
    r.chainImpedance = l.chainImpedance();
    r.returnCurrent = l.stationCurrent(v0, b.current);
    const int towers = l.endlessLine() ? NetworkSolver::kFirstTowers
                                       : std::min(l.towers(), NetworkSolver::kFirstTowers);
    for (int k = 1; k <= towers; ++k) {
        const Complex v = l.potential(k, v0, b.current);
        r.towerPotentials.push_back(v);
        r.towerCurrents.push_back(v / l.towerResistance(k));
    }
    if (!l.endlessLine())
        r.remoteRise = l.potential(l.towers() + 1, v0, b.current);
    return r;
}

bool finite(Complex value) {
    return std::isfinite(value.real()) && std::isfinite(value.imag());
}

bool finite(const BranchResult &r) {
    bool all = finite(r.reductionFactor) && finite(r.returnCurrent) &&
               (!r.chainImpedance || finite(*r.chainImpedance)) &&
               (!r.remoteRise || finite(*r.remoteRise));
    for (std::size_t k = 0; k < r.towerPotentials.size(); ++k)
        all = all && finite(r.towerPotentials[k]) && finite(r.towerCurrents[k]);
    return all;
}

bool finite(const NetworkResult &r) {
    bool all = finite(r.earthCurrent) && finite(r.splitFactor) && finite(r.stationPotential);
    for (const BranchResult &b : r.lines)
        all = all && finite(b);
    for (const BranchResult &b : r.cables)
        all = all && finite(b);
    return all;
}

} // namespace

Refusable<NetworkResult> NetworkSolver::solve(const Network &network, Complex earthImpedance) {
    if (auto f = NetworkCheck::check(network))
        return f->refusal;
    if (auto refusal = NetworkCheck::checkEarthImpedance(earthImpedance))
        return *refusal;
    std::vector<Branch> lines, cables;
    for (const Line &line : network.lines)
        lines.push_back(branchOf(network, line));
    for (const Cable &cable : network.cables)
        cables.push_back(branchOf(network, cable));
    // The sources' currents less what their return conductors take back by induction, and
    // the admittance of those conductors to remote earth beside the electrode's.
    Complex remote, admittance;
    for (const std::vector<Branch> *branches : {&lines, &cables})
        for (const Branch &b : *branches) {
            remote += b.ladder ? b.current - b.ladder->stationCurrent(0., b.current) : b.current;
            if (b.ladder)
                admittance += 1. / b.ladder->chainImpedance();
        }
    NetworkResult r;
    r.earthImpedance = earthImpedance;
    r.faultCurrent = network.localCurrent;
    for (const Line &line : network.lines)
        r.faultCurrent += line.current;
    for (const Cable &cable : network.cables)
        r.faultCurrent += cable.current;
    // I_E = (sum I_j - sum g_j I_j) / (1 + Z_E sum 1/Z_j): exactly the remote share when
    // nothing takes the current back, and 0 as Z_E grows without bound.
    r.earthCurrent = remote / (1. + earthImpedance * admittance);
    r.splitFactor = r.earthCurrent / r.faultCurrent;
    r.stationPotential = earthImpedance * r.earthCurrent;
    for (std::size_t k = 0; k < lines.size(); ++k)
        r.lines.push_back(resultOf(network.lines[k].name, lines[k], r.stationPotential));
    for (std::size_t k = 0; k < cables.size(); ++k)
        r.cables.push_back(resultOf(network.cables[k].name, cables[k], r.stationPotential));
    if (!finite(r))
        return Refusal{Error::ResultNotFinite, Quantity::EarthCurrent, {}};
    return r;
}

} // namespace tav::network
