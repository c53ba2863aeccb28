#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace tav::earthing {

// Fills values at the given abscissae.
using TableFunction =
    std::function<void(const std::vector<double> &at, std::vector<double> &values)>;

// A smooth function tabulated once and read by cubic interpolation, on [base, hi] with a
// step that doubles from one octave to the next (a fixed relative resolution); the
// interval is found from the bits of the double, without a logarithm.
class RadialTable {
public:
    RadialTable() = default;
    // Only when intervals(lo, hi) is within the solver's limit.
    RadialTable(double lo, double hi, const TableFunction &f);

    // The intervals a table on [lo, hi] takes, counted before it is built: infinite when
    // an end is beyond the range of double precision (or lo is not above 0), so that the
    // caller refuses it before any count is cast to an integer.
    static double intervals(double lo, double hi);

    // The least abscissa read without clamping.
    double lowest() const { return m_base; }
    std::size_t nodes() const { return m_intervals + 1; }

    // v is taken as lowest() below it, and as the table's end beyond it.
    [[gnu::always_inline]] inline double at(double v) const {
        double t;
        const double *c = m_coefficients.data();
        const std::uint64_t k = locate(v, t) * kStride;
        return c[k] + t * (c[k + 1] + t * (c[k + 2] + t * c[k + 3]));
    }
    // The value and its first two derivatives.
    [[gnu::always_inline]] inline void derivatives(double v, double &f, double &f1,
                                                   double &f2) const {
        double t;
        const double *c = m_coefficients.data();
        const std::uint64_t k = locate(v, t) * kStride;
        const double c0 = c[k], c1 = c[k + 1], c2 = c[k + 2], c3 = c[k + 3], w = c[k + 4];
        f = c0 + t * (c1 + t * (c2 + t * c3));
        f1 = (c1 + t * (2 * c2 + t * 3 * c3)) * w;
        f2 = (2 * c2 + t * 6 * c3) * w * w;
    }

private:
public:
    // Intervals per octave.
    static constexpr int kPerOctave = 32;

private:
    // Per interval: the cubic's coefficients in t in [0, 1], then 1/width.
    static constexpr int kStride = 5;
    static constexpr int kShift = 5;
    static constexpr std::uint64_t kFractionMask = (std::uint64_t(1) << 52) - 1;
    static constexpr std::uint64_t kLowMask = (std::uint64_t(1) << (52 - kShift)) - 1;
    static constexpr std::uint64_t kOneBits = std::uint64_t(1023) << 52; // 1.0

    // The interval from the exponent and the leading bits of the fraction of v/base,
    // the position within it from the remaining bits: v is clamped into the table first,
    // so that no branch is needed.
    // Unsigned throughout and t made from bits too (the low bits of the fraction put
    // under the exponent of 1, less 1: exactly what converting them and scaling gives),
    // so that a loop of these vectorises: vectors of doubles and 64-bit integers convert
    // between each other only from AVX-512 on.
    [[gnu::always_inline]] inline std::uint64_t locate(double v, double &t) const {
        const double q = std::min(std::max(v, m_base), m_top) * m_inverseBase;
        std::uint64_t bits;
        std::memcpy(&bits, &q, sizeof bits);
        // q >= 1: the exponent is at least 1023.
        const std::uint64_t octave = (bits >> 52) - 1023;
        const std::uint64_t fraction = bits & kFractionMask;
        const std::uint64_t index = (octave << kShift) + (fraction >> (52 - kShift));
        const std::uint64_t within = kOneBits | ((fraction & kLowMask) << kShift);
        double one;
        std::memcpy(&one, &within, sizeof one);
        t = one - 1;
        return index;
    }

    double m_base = 0;
    double m_inverseBase = 0;
    double m_top = 0; // the largest abscissa inside the last interval
    std::uint64_t m_intervals = 0;
    std::vector<double> m_coefficients;

    friend class UniformTable;
};

// The same on [0, hi] with a uniform step.
class UniformTable {
public:
    UniformTable() = default;
    // Only when intervals(hi, step) is within the solver's limit.
    UniformTable(double hi, double step, const TableFunction &f);

    // The intervals of a table on [0, hi] by step, counted before it is built; infinite
    // as RadialTable::intervals says.
    static double intervals(double hi, double step);

    std::size_t nodes() const { return m_intervals + 1; }
    double at(double v) const {
        const double s = v * m_inverseStep;
        std::uint64_t index = std::uint64_t(s);
        double t = s - double(index);
        if (index >= m_intervals) {
            t += double(index - (m_intervals - 1));
            index = m_intervals - 1;
        }
        const double *c = m_coefficients.data() + index * RadialTable::kStride;
        return c[0] + t * (c[1] + t * (c[2] + t * c[3]));
    }

private:
    double m_inverseStep = 0;
    std::uint64_t m_intervals = 0;
    std::vector<double> m_coefficients;
};

} // namespace tav::earthing
