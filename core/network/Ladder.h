#pragma once

#include "core/network/Network.h"

#include <vector>

namespace tav::network {

// A line's return conductors as a ladder: from the station (node 0) a series impedance z
// per span, at each inner node a tower's footing resistance to remote earth, and at the
// far end the remote station's earth, where the remote source's neutral draws the phase
// current I back; or, endless, a tower after every span for ever. Far from either end the
// conductors carry the induced share g I of the phase current at no potential, so that
// only the rest, which the ends impose, leaves through the towers: per span
// s_k = (V_(k-1) - V_k) / z + g I, at a tower s_k - s_(k+1) = V_k / R_k, at the remote
// station s_N = I + V_N / R_N.
//
// Linear in the station's potential V_0 and in I: what leaves the station along the
// conductors is s_1 = V_0 / Z + g_s I, Z the chain impedance the station sees (the
// sources off), which the station's node equation takes; the potentials then follow.
class Ladder {
public:
    // spans >= 1; towers holds the spans - 1 inner towers' resistances from the station
    // out (ohm), remote the remote station's.
    static Ladder finite(Complex spanImpedance, Complex induced, int spans,
                         const std::vector<double> &towers, double remote);
    // Z = z/2 + sqrt(z^2/4 + z R), the potentials falling by 1 - z/Z a span.
    static Ladder endless(Complex spanImpedance, Complex induced, double tower);

    // ohm, the chain impedance: the ladder's input impedance at the station.
    Complex chainImpedance() const { return 1. / m_admittance; }
    // A, what leaves the station along the conductors at the potential (V) and the phase
    // current (A).
    Complex stationCurrent(Complex stationPotential, Complex phaseCurrent) const;
    // V, the potential of node k from 1 (k = spans: the remote station's).
    Complex potential(int node, Complex stationPotential, Complex phaseCurrent) const;
    // The inner nodes, each a tower: spans - 1, or without end.
    bool endlessLine() const { return m_endless; }
    int towers() const { return m_spans - 1; }
    double towerResistance(int node) const;

private:
    Complex m_admittance;
    Complex m_shortCircuit; // A per A of phase current, at V_0 = 0
    bool m_endless = false;
    int m_spans = 0;
    Complex m_ratio;                // endless: V_k / V_(k-1)
    std::vector<double> m_towers;   // finite: per inner node; endless: the one
    std::vector<Complex> m_perVolt; // finite: V_k at V_0 = 1, I = 0, k = 1..N
    std::vector<Complex> m_perAmp;  // finite: V_k at V_0 = 0, I = 1
};

} // namespace tav::network
