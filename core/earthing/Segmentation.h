#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/Segment.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace tav::earthing {

// Cuts the conductors into segments of at most the segment length: first at the
// interfaces of the soil's layers, so that each segment lies in one layer, and where
// another conductor touches or crosses, so that junctions fall between segments; then
// each piece into equal parts, the two at its ends halved.
//
// An interface within two diameters of a conductor's end would leave there a piece
// shorter than the thin-wire model resolves, which it would take to leak like an electrode
// of its diameter however short it is: the end's last two diameters are then one element,
// its pieces on either side of the interface leaking evenly as one (Segment::tie), so that
// the solution moves continuously as the interface passes the end.
class Segmentation {
public:
    Segmentation(const EarthingInput &input, std::vector<double> interfaces);

    // The segments the cut would give, counted before any is made, in double precision:
    // a segment length or a conductor far beyond the solver's limits gives a count past
    // every integer type, which must still compare as too many rather than wrap.
    double count() const;
    // Only when count() is within the solver's limit.
    std::vector<Segment> segments() const;

private:
    // An element of a conductor's end divided by interfaces: from, to along it, in m.
    struct Tied {
        double from = 0;
        double to = 0;
    };

    // The equal parts a piece is cut into before its end segments are halved.
    static double partsOf(double piece, double step);
    // The ends within zone of which an interface cuts (cuts holding the ends, then the
    // interfaces), and the zones about pieces through layers thinner than it that are more
    // resistive than their neighbours (insulating(from, to)); their bounds added to the
    // cuts.
    static std::vector<Tied> tieShortPieces(std::vector<double> &cuts, double length, double zone,
                                            const std::function<bool(double, double)> &insulating);
    bool isTied(std::size_t conductor, double from, double to) const;

    std::vector<std::vector<double>> m_cuts; // per conductor, the cut points along it, in m
    std::vector<std::vector<Tied>> m_tied;   // per conductor
    const EarthingInput &m_input;
    std::vector<double> m_interfaces; // depths, from the top down
};

} // namespace tav::earthing
