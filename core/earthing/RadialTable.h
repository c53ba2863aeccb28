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
        const double *c = locate(v, t);
        return c[0] + t * (c[1] + t * (c[2] + t * c[3]));
    }
    // The value and its first two derivatives.
    [[gnu::always_inline]] inline void derivatives(double v, double &f, double &f1,
                                                   double &f2) const {
        double t;
        const double *c = locate(v, t);
        const double w = c[4];
        f = c[0] + t * (c[1] + t * (c[2] + t * c[3]));
        f1 = (c[1] + t * (2 * c[2] + t * 3 * c[3])) * w;
        f2 = (2 * c[2] + t * 6 * c[3]) * w * w;
    }

private:
public:
    // Intervals per octave.
    static constexpr int kPerOctave = 32;

private:
    // Per interval: the cubic's coefficients in t in [0, 1], then 1/width.
    static constexpr int kStride = 5;
    static constexpr int kShift = 5;
    static constexpr std::int64_t kLowMask = (std::int64_t(1) << (52 - kShift)) - 1;
    static constexpr double kLowScale = 1.0 / double(std::int64_t(1) << (52 - kShift));

    // The interval from the exponent and the leading bits of the fraction of v/base,
    // the position within it from the remaining bits: v is clamped into the table first,
    // so that no branch is needed.
    [[gnu::always_inline]] inline const double *locate(double v, double &t) const {
        const double q = std::min(std::max(v, m_base), m_top) * m_inverseBase;
        std::int64_t bits;
        std::memcpy(&bits, &q, sizeof bits);
        const std::int64_t octave = (bits >> 52) - 1023;
        const std::int64_t fraction = bits & ((std::int64_t(1) << 52) - 1);
        const std::int64_t index = (octave << kShift) + (fraction >> (52 - kShift));
        t = double(fraction & kLowMask) * kLowScale;
        return m_coefficients.data() + index * kStride;
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
