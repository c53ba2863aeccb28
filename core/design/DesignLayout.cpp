#include "core/design/DesignLayout.h"

#include "core/earthing/ConductorLayout.h"
#include "core/earthing/PlanPolygon.h"

#include <algorithm>
#include <cmath>

namespace tav::design::DesignLayout {

using earthing::Conductor;
using earthing::Point2;

namespace {

constexpr double kPi = 3.14159265358979323846;

double perimeter(const std::vector<Point2> &outline) {
    double length = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point2 &a = outline[i];
        const Point2 &b = outline[(i + 1) % outline.size()];
        length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length;
}

// The lines across one way, their ends the outline's extreme sides, which the perimeter
// conductor already runs along: only the inner ones are laid.
std::vector<Conductor> innerLines(const DesignBrief &brief, int count, bool compressed,
                                  bool acrossX) {
    const earthing::Rectangle box = earthing::PlanPolygon::bounds(brief.outline);
    const std::vector<double> at = acrossX ? positions(box.x0, box.x1, count, compressed)
                                           : positions(box.y0, box.y1, count, compressed);
    std::vector<Conductor> lines;
    for (std::size_t i = 1; i + 1 < at.size(); ++i)
        for (const auto &[from, to] : clipped(brief.outline, at[i], acrossX)) {
            Conductor c;
            c.from = acrossX ? earthing::Point3{at[i], from, brief.depth}
                             : earthing::Point3{from, at[i], brief.depth};
            c.to = acrossX ? earthing::Point3{at[i], to, brief.depth}
                           : earthing::Point3{to, at[i], brief.depth};
            c.diameter = brief.diameter;
            lines.push_back(c);
        }
    return lines;
}

double lengthOf(const std::vector<Conductor> &conductors) {
    double length = 0;
    for (const Conductor &c : conductors)
        length += std::hypot(c.to.x - c.from.x, c.to.y - c.from.y);
    return length;
}

} // namespace

std::vector<double> positions(double a, double b, int n, bool compressed) {
    std::vector<double> at;
    for (int i = 0; i < n; ++i) {
        const double t = n > 1 ? double(i) / (n - 1) : 0;
        // t - a sin(2 pi t) / (2 pi): slope 1 - a at the ends, 1 + a in the middle, rising.
        const double f = compressed ? t - kCompression * std::sin(2 * kPi * t) / (2 * kPi) : t;
        at.push_back(i == n - 1 && n > 1 ? b : a + (b - a) * f);
    }
    return at;
}

std::vector<std::pair<double, double>> clipped(const std::vector<Point2> &outline, double c,
                                               bool acrossX) {
    std::vector<double> crossings;
    const std::size_t n = outline.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point2 &p = outline[i];
        const Point2 &q = outline[(i + 1) % n];
        const double u0 = acrossX ? p.x : p.y;
        const double u1 = acrossX ? q.x : q.y;
        const double v0 = acrossX ? p.y : p.x;
        const double v1 = acrossX ? q.y : q.x;
        // Half-open, so that a line through a corner crosses once.
        if ((u0 <= c && c < u1) || (u1 <= c && c < u0))
            crossings.push_back(v0 + (v1 - v0) * (c - u0) / (u1 - u0));
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<std::pair<double, double>> pieces;
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
        const double from = crossings[k];
        const double to = crossings[k + 1];
        const double mid = (from + to) / 2;
        const Point2 middle = acrossX ? Point2{c, mid} : Point2{mid, c};
        // A piece along an edge would lie on the perimeter conductor.
        if (to - from > 1e-9 &&
            earthing::PlanPolygon::distanceToEdges(outline, middle) > 1e-6 * (to - from))
            pieces.emplace_back(from, to);
    }
    return pieces;
}

FamilyBounds bounds(const DesignBrief &brief, bool surfaceLayerGiven) {
    FamilyBounds b;
    const earthing::Rectangle box = earthing::PlanPolygon::bounds(brief.outline);
    const auto most = [](double size) {
        return std::clamp(int(std::floor(size / kLeastSpacing)) + 1, 2, kMostLines);
    };
    b.mostLinesX = most(box.x1 - box.x0);
    b.mostLinesY = most(box.y1 - box.y0);
    const int corners = int(brief.outline.size());
    const double around = perimeter(brief.outline);
    for (const double length : brief.rodLengths) {
        std::vector<int> counts;
        for (int step = 1; step <= kMostRodSteps; step *= 2) {
            const int count = step * corners;
            if (step > 1 && around / count < length)
                break;
            counts.push_back(count);
        }
        b.rodCounts.push_back(counts);
    }
    b.surfaceChoice = brief.prices.surfacePerM2.has_value() && surfaceLayerGiven;
    return b;
}

std::vector<Layout> family(const DesignBrief &brief, const FamilyBounds &bounds) {
    (void)brief;
    std::vector<Layout> rodOptions{Layout{}};
    for (std::size_t length = 0; length < bounds.rodCounts.size(); ++length)
        for (const int count : bounds.rodCounts[length]) {
            Layout l;
            l.rods = count;
            l.rodLength = int(length);
            rodOptions.push_back(l);
        }
    std::vector<Layout> all;
    for (int x = 2; x <= bounds.mostLinesX; ++x)
        for (int y = 2; y <= bounds.mostLinesY; ++y)
            for (const bool compressed : {false, true}) {
                // Fewer than four lines either way leave too little to compress.
                if (compressed && (x < 4 || y < 4))
                    continue;
                const bool cx = compressed;
                const bool cy = compressed;
                for (const Layout &r : rodOptions)
                    for (int surface = 0; surface < (bounds.surfaceChoice ? 2 : 1); ++surface) {
                        Layout l = r;
                        l.linesX = x;
                        l.linesY = y;
                        l.compressX = cx;
                        l.compressY = cy;
                        l.surface = surface != 0;
                        all.push_back(l);
                    }
            }
    return all;
}

LayoutGeometry geometry(const DesignBrief &brief, const Layout &layout) {
    LayoutGeometry g;
    const std::size_t n = brief.outline.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point2 &a = brief.outline[i];
        const Point2 &b = brief.outline[(i + 1) % n];
        g.conductors.push_back(
            {{a.x, a.y, brief.depth}, {b.x, b.y, brief.depth}, brief.diameter, 0});
    }
    for (const bool acrossX : {true, false}) {
        const std::vector<Conductor> lines =
            innerLines(brief, acrossX ? layout.linesX : layout.linesY,
                       acrossX ? layout.compressX : layout.compressY, acrossX);
        g.conductors.insert(g.conductors.end(), lines.begin(), lines.end());
    }
    if (layout.rods > 0 && layout.rodLength >= 0) {
        g.rods = earthing::ConductorLayout::alongPolygon(brief.outline, layout.rods);
        g.rodLength = brief.rodLengths[std::size_t(layout.rodLength)];
    }
    g.cost.conductorMetres = lengthOf(g.conductors);
    g.cost.rodMetres = double(g.rods.size()) * g.rodLength;
    g.cost.surfaceArea =
        layout.surface ? std::abs(earthing::PlanPolygon::area(brief.outline)) : 0.0;
    g.cost.total = g.cost.conductorMetres * brief.prices.conductorPerM +
                   g.cost.rodMetres * brief.prices.rodPerM +
                   g.cost.surfaceArea * brief.prices.surfacePerM2.value_or(0);
    return g;
}

LayoutCost cost(const DesignBrief &brief, const Layout &layout) {
    return geometry(brief, layout).cost;
}

bool dominates(const Layout &a, const Layout &b, const DesignBrief &brief) {
    const auto rodLength = [&](const Layout &l) {
        return l.rodLength >= 0 ? brief.rodLengths[std::size_t(l.rodLength)] : 0.0;
    };
    return a.compressX == b.compressX && a.compressY == b.compressY && a.linesX >= b.linesX &&
           a.linesY >= b.linesY && a.rods >= b.rods &&
           (b.rods == 0 || rodLength(a) >= rodLength(b)) && (a.surface || !b.surface);
}

} // namespace tav::design::DesignLayout
