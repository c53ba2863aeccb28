#include "core/soilmodel/TwoLayerLeastSquares.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tav {

namespace {

using Point = LayeredSearch::Point;

// ln(rho2/rho1) of the scan, each with either sign: |K| = 0.10, 0.29, 0.54, 0.80, 0.94, 0.995.
// Without the faint contrasts a thick top layer over a like one is mistaken for a strong
// contrast further down.
constexpr std::array<double, 6> kScanContrast = {0.2, 0.6, 1.2, 2.2, 3.5, 6.0};
constexpr double kScanMargin = 4.6; // ln 100: h from a hundredth of the least spacing
// The first scan: eight depths, the best point of each sign of K polished.
constexpr int kCoarseDepths = 8;
// Around each contrast's best of them the scan is refined until its depths are at most a
// factor of 4 apart, and closer when the spacings span less than a factor of 16: the
// valley of the true depth narrows with the spacings' span. Never closer than a factor
// of 1.4.
constexpr double kScanStep = 1.4;
constexpr double kFinestScanStep = 0.35;
// The lowest of the contrasts' best points that are lower than their neighbours'; more
// find nothing better in sweeps of true two-layer soils.
constexpr std::size_t kStarts = 3;
// What a further start must gain to replace the first scan's answer: a millionth of its
// sum of squares, and more than a relative error of 1e-8 per reading, below which two ends
// differ only in rounding.
constexpr double kBetter = 1e-6;
constexpr double kRounding = 1e-16;

// Each contrast at the first scan's depths and at the refined ones beside its best.
struct Scan {
    std::vector<double> contrasts; // ascending
    std::vector<double> depths;    // ln h, ascending: the first scan's every refinement-th
    int refinement = 1;
    std::vector<std::vector<Point>> rows; // by contrast and depth; infinite where not scanned
};

std::vector<double> scanDepths(const LayeredSearch &s, int &refinement) {
    const double first =
        s.lower(LayeredSearch::LogDepth) + LayeredSearch::kDepthMargin - kScanMargin;
    const double last =
        s.upper(LayeredSearch::LogDepth) - LayeredSearch::kDepthMargin + kScanMargin;
    const double span = s.upper(LayeredSearch::LogDepth) - s.lower(LayeredSearch::LogDepth) -
                        2 * LayeredSearch::kDepthMargin;
    const double step = std::clamp(span / 2, kFinestScanStep, kScanStep);
    refinement =
        std::max(1, static_cast<int>(std::ceil((last - first) / (kCoarseDepths - 1) / step)));
    std::vector<double> depths;
    for (int d = 0; d < kCoarseDepths; ++d) {
        // The first scan's depths in the first scan's arithmetic.
        depths.push_back(first + (last - first) * d / (kCoarseDepths - 1));
        for (int k = 1; k < refinement && d + 1 < kCoarseDepths; ++k)
            depths.push_back(first + (last - first) * (d * refinement + k) /
                                         ((kCoarseDepths - 1) * refinement));
    }
    return depths;
}

std::vector<Point> scanRow(const LayeredSearch &s, const Scan &scan, double contrast) {
    const std::size_t depths = scan.depths.size();
    const std::size_t step = static_cast<std::size_t>(scan.refinement);
    std::vector<Point> row(depths);
    std::size_t lowest = 0;
    for (std::size_t d = 0; d < depths; d += step) {
        row[d] = s.bestScale(contrast, scan.depths[d]);
        if (row[d].sumOfSquares < row[lowest].sumOfSquares)
            lowest = d;
    }
    for (std::size_t d = lowest >= step ? lowest - step + 1 : 0;
         d < std::min(depths, lowest + step); ++d)
        if (d % step != 0)
            row[d] = s.bestScale(contrast, scan.depths[d]);
    return row;
}

Scan scan(const LayeredSearch &s) {
    Scan scan;
    for (const double c : kScanContrast) {
        scan.contrasts.push_back(c);
        scan.contrasts.push_back(-c);
    }
    // The contrast of the last reading over the first.
    const double estimate = s.endContrast();
    if (std::abs(estimate) > kScanContrast.front() / 2)
        scan.contrasts.push_back(std::clamp(estimate, s.lower(LayeredSearch::Contrast),
                                            s.upper(LayeredSearch::Contrast)));
    std::sort(scan.contrasts.begin(), scan.contrasts.end());
    scan.depths = scanDepths(s, scan.refinement);
    for (const double c : scan.contrasts)
        scan.rows.push_back(scanRow(s, scan, c));
    return scan;
}

// The first scan's best point of each sign of K, in its order: depth by depth, the
// contrasts of kScanContrast, positive first.
std::array<Point, 2> coarseStarts(const Scan &scan) {
    std::array<Point, 2> best;
    for (int d = 0; d < kCoarseDepths; ++d)
        for (const double contrast : kScanContrast)
            for (int sign = 0; sign < 2; ++sign) {
                const double c = sign == 0 ? contrast : -contrast;
                const auto row = std::lower_bound(scan.contrasts.begin(), scan.contrasts.end(), c) -
                                 scan.contrasts.begin();
                const Point &point = scan.rows[static_cast<std::size_t>(row)]
                                              [static_cast<std::size_t>(d * scan.refinement)];
                if (point.sumOfSquares < best[sign].sumOfSquares)
                    best[sign] = point;
            }
    return best;
}

std::vector<Point> furtherStarts(const Scan &scan) {
    std::vector<Point> lowest;
    for (const std::vector<Point> &row : scan.rows)
        lowest.push_back(
            *std::min_element(row.begin(), row.end(), [](const Point &a, const Point &b) {
                return a.sumOfSquares < b.sumOfSquares;
            }));
    std::vector<Point> starts;
    for (std::size_t c = 0; c < lowest.size(); ++c) {
        const double here = lowest[c].sumOfSquares;
        if (std::isfinite(here) && (c == 0 || lowest[c - 1].sumOfSquares >= here) &&
            (c + 1 == lowest.size() || lowest[c + 1].sumOfSquares >= here))
            starts.push_back(lowest[c]);
    }
    std::sort(starts.begin(), starts.end(),
              [](const Point &a, const Point &b) { return a.sumOfSquares < b.sumOfSquares; });
    if (starts.size() > kStarts)
        starts.resize(kStarts);
    return starts;
}

} // namespace

LayeredFit fitTwoLayers(const LayeredSearch &search) {
    const Scan grid = scan(search);
    const std::array<Point, 2> coarse = coarseStarts(grid);
    Point best;
    for (const Point &start : coarse) {
        if (!std::isfinite(start.sumOfSquares))
            continue;
        const Point end = search.refine(start);
        if (end.sumOfSquares < best.sumOfSquares)
            best = end;
    }
    // Never again from a start already polished; the first answer stays unless beaten.
    for (const Point &start : furtherStarts(grid)) {
        if (start.p == coarse[0].p || start.p == coarse[1].p)
            continue;
        const Point end = search.refine(start);
        const double gain = best.sumOfSquares - end.sumOfSquares;
        if (gain > kBetter * best.sumOfSquares && gain > kRounding * search.readings())
            best = end;
    }
    return {search.soil(best.p), best.sumOfSquares, best};
}

} // namespace tav
