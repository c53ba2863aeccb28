#include "core/PermissibleTouch.h"

#include <cmath>
#include <iterator>

namespace tav {

namespace {

struct Point {
    double x;
    double y;
};

// EN 50522:2010, Annex B, Figure 4: (t_f in s, U_Tp in V).
constexpr Point kPermissible[] = {{0.05, 716}, {0.1, 654}, {0.2, 537}, {0.5, 220},
                                  {1, 117},    {2, 96},    {5, 86},    {10, 85}};

// IEC/TS 60479-1:2005, Table 1, 50 % of the population: (U_T in V, Z_T in ohm), hand to
// hand, large contact area, dry; above 1000 V the asymptotic value.
constexpr Point kBodyImpedance[] = {{25, 3250},  {50, 2500},  {75, 2000},  {100, 1725}, {125, 1550},
                                    {150, 1400}, {175, 1325}, {200, 1275}, {225, 1225}, {400, 950},
                                    {500, 850},  {700, 775},  {1000, 775}};

} // namespace

bool PermissibleTouch::tabulated(double t) {
    return t >= kLeastPermissibleDuration && t <= kGreatestPermissibleDuration;
}

double PermissibleTouch::voltage(double t) {
    if (!(t > std::begin(kPermissible)->x))
        return std::begin(kPermissible)->y;
    for (auto p = std::begin(kPermissible); std::next(p) != std::end(kPermissible); ++p) {
        const Point &a = *p;
        const Point &b = *std::next(p);
        if (t <= b.x) {
            // A straight line between the points on the figure's log-log axes.
            const double f = std::log(t / a.x) / std::log(b.x / a.x);
            return a.y * std::pow(b.y / a.y, f);
        }
    }
    return std::prev(std::end(kPermissible))->y;
}

double PermissibleTouch::bodyImpedance(double u) {
    const Point *first = std::begin(kBodyImpedance);
    const Point *last = std::prev(std::end(kBodyImpedance));
    double z = u <= first->x ? first->y : last->y;
    for (const Point *p = first; p != last; ++p) {
        const Point &a = *p;
        const Point &b = *std::next(p);
        if (u > a.x && u <= b.x)
            z = a.y + (b.y - a.y) * (u - a.x) / (b.x - a.x);
    }
    return z;
}

double PermissibleTouch::bodyCurrent(double t) {
    const double u = voltage(t);
    return u / bodyImpedance(u);
}

} // namespace tav
