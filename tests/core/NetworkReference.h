#pragma once

// The network's circuit written out as plainly as it can be, for the network solver's tests
// to be checked against: every earth wire's current in every span, every node's potential,
// one equation each (each wire's voltage along a span with its self, its mutuals to the
// other wires and the phase's EMF; the currents at every node), solved together by
// Gaussian elimination. An endless line is a long one whose far node is remote earth,
// where the induced current leaves the wires at no potential and what the station imposes
// has died away. Nothing of the solver is used: no ladder, no reduction of the wires to one.
#include <complex>
#include <cstddef>
#include <utility>
#include <vector>

namespace reference {

using Complex = std::complex<double>;

// A line or cable's return conductors: their impedances per km (n x n, row by row) and
// mutuals to the phase per km, the span (km), and the nodes beyond the station: inner
// towers' resistances and the remote station's (0: the far node is remote earth).
struct Branch {
    Complex current; // A, towards the station along the phase
    std::vector<Complex> z;
    std::vector<Complex> zm;
    double span = 0; // km
    std::vector<double> towers;
    double remote = 0;
};

struct Solution {
    Complex stationPotential;
    // Per branch: the sum of its wires' currents in the first span, and every node's
    // potential from 1 on.
    std::vector<Complex> returnCurrent;
    std::vector<std::vector<Complex>> potentials;
};

class Circuit {
public:
    Solution solve(const std::vector<Branch> &branches, Complex earthImpedance) {
        // Unknowns: the station's potential, then per branch its nodes and its currents.
        std::size_t n = 1;
        std::vector<std::size_t> nodeAt, currentAt;
        for (const Branch &b : branches) {
            const std::size_t nodes = b.towers.size() + 1, wires = b.zm.size();
            nodeAt.push_back(n);
            n += nodes;
            currentAt.push_back(n);
            n += nodes * wires;
        }
        m_n = n;
        m_a.assign(n * n, Complex(0));
        m_b.assign(n, Complex(0));
        std::size_t row = 0;
        // The station: the sources' currents arrive; the electrode and the wires take them.
        at(row, 0) = 1. / earthImpedance;
        for (std::size_t j = 0; j < branches.size(); ++j) {
            m_b[row] += branches[j].current;
            for (std::size_t p = 0; p < branches[j].zm.size(); ++p)
                at(row, currentAt[j] + p) = 1;
        }
        ++row;
        for (std::size_t j = 0; j < branches.size(); ++j)
            row = addBranch(branches[j], nodeAt[j], currentAt[j], row);
        eliminate();
        Solution s;
        s.stationPotential = m_b[0];
        for (std::size_t j = 0; j < branches.size(); ++j) {
            Complex first;
            for (std::size_t p = 0; p < branches[j].zm.size(); ++p)
                first += m_b[currentAt[j] + p];
            s.returnCurrent.push_back(first);
            std::vector<Complex> v;
            for (std::size_t k = 0; k <= branches[j].towers.size(); ++k)
                v.push_back(m_b[nodeAt[j] + k]);
            s.potentials.push_back(v);
        }
        return s;
    }

private:
    Complex &at(std::size_t row, std::size_t column) { return m_a[row * m_n + column]; }

    std::size_t addBranch(const Branch &b, std::size_t node, std::size_t current, std::size_t row) {
        const std::size_t spans = b.towers.size() + 1, wires = b.zm.size();
        const auto v = [&](std::size_t k) { return k == 0 ? std::size_t(0) : node + k - 1; };
        const auto i = [&](std::size_t k, std::size_t p) { return current + (k - 1) * wires + p; };
        for (std::size_t k = 1; k <= spans; ++k)
            for (std::size_t p = 0; p < wires; ++p, ++row) {
                // V_(k-1) - V_k = sum_q Z_pq l i_q + zm_p l (-I): the phase's current
                // runs the other way.
                at(row, v(k - 1)) += 1;
                at(row, v(k)) -= 1;
                for (std::size_t q = 0; q < wires; ++q)
                    at(row, i(k, q)) -= b.z[p * wires + q] * b.span;
                m_b[row] = -b.zm[p] * b.span * b.current;
            }
        for (std::size_t k = 1; k < spans; ++k, ++row) {
            for (std::size_t p = 0; p < wires; ++p) {
                at(row, i(k, p)) += 1;
                at(row, i(k + 1, p)) -= 1;
            }
            at(row, v(k)) -= 1. / b.towers[k - 1];
        }
        if (b.remote > 0) {
            // The remote station: its source's neutral draws the phase's current.
            for (std::size_t p = 0; p < wires; ++p)
                at(row, i(spans, p)) += 1;
            at(row, v(spans)) -= 1. / b.remote;
            m_b[row] = b.current;
        } else {
            at(row, v(spans)) = 1;
        }
        return row + 1;
    }

    // Gaussian elimination with partial pivoting; the solution left in m_b.
    void eliminate() {
        for (std::size_t k = 0; k < m_n; ++k) {
            std::size_t pivot = k;
            for (std::size_t r = k + 1; r < m_n; ++r)
                if (std::abs(at(r, k)) > std::abs(at(pivot, k)))
                    pivot = r;
            if (pivot != k) {
                for (std::size_t c = 0; c < m_n; ++c)
                    std::swap(at(k, c), at(pivot, c));
                std::swap(m_b[k], m_b[pivot]);
            }
            for (std::size_t r = k + 1; r < m_n; ++r) {
                if (at(r, k) == Complex(0))
                    continue;
                const Complex f = at(r, k) / at(k, k);
                for (std::size_t c = k; c < m_n; ++c)
                    at(r, c) -= f * at(k, c);
                m_b[r] -= f * m_b[k];
            }
        }
        for (std::size_t k = m_n; k-- > 0;) {
            for (std::size_t c = k + 1; c < m_n; ++c)
                m_b[k] -= at(k, c) * m_b[c];
            m_b[k] /= at(k, k);
        }
    }

    std::size_t m_n = 0;
    std::vector<Complex> m_a;
    std::vector<Complex> m_b;
};

} // namespace reference
