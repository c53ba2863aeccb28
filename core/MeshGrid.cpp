#include "core/MeshGrid.h"

#include "core/NumericText.h"
#include "core/RoundValue.h"

#include <climits>
#include <cmath>
#include <limits>

namespace tav {

namespace {

bool IsPositive(float value) {
    return value > 0 && std::isfinite(value);
}

// Multiples of the spacing strictly between 0 and the side; empty beyond int.
std::optional<int> InnerConductors(float side, float spacing) {
    double q = static_cast<double>(side) / spacing;
    if (q - std::trunc(q) == 0)
        q = q - 1;
    if (!(q < static_cast<double>(INT_MAX)))
        return std::nullopt;
    return static_cast<int>(std::trunc(q));
}

} // namespace

std::optional<MeshConductors> CountMeshConductors(float a, float b, float sx, float sy) {
    if (!IsPositive(a) || !IsPositive(b) || !IsPositive(sx) || !IsPositive(sy))
        return std::nullopt;
    const std::optional<int> nx = InnerConductors(a, sx);
    const std::optional<int> ny = InnerConductors(b, sy);
    if (!nx || !ny)
        return std::nullopt;
    return MeshConductors{*nx, *ny};
}

double MeshWireLength(float a, float b, float sx, float sy) {
    const std::optional<MeshConductors> inner = CountMeshConductors(a, b, sx, sy);
    if (!inner)
        return std::numeric_limits<double>::quiet_NaN();
    const double perimeter = (static_cast<double>(b) + a) * 2;
    return (perimeter + inner->vertical * static_cast<double>(a)) +
           inner->horizontal * static_cast<double>(b);
}

double MeshResistance(float rho, float a, float b, float h, float totalLength) {
    const double area = static_cast<double>(b) * a;
    // Narrowed without the undefined behaviour of a cast for a quotient beyond float.
    const float u = std::sqrt(NumericText::NarrowToSingle(20 / area));
    const double f = 1 + 1 / (u * static_cast<double>(h) + 1);
    const float w = std::sqrt(NumericText::NarrowToSingle(static_cast<double>(a) * 20 * b));
    return (f * (1 / static_cast<double>(w)) + 1 / static_cast<double>(totalLength)) * rho;
}

void CalculateMeshGrid(MeshGridRecord &record) {
    record.m_fTotalLength = NumericText::NarrowToSingle(
        MeshWireLength(record.m_fHorizontalLength, record.m_fVerticalLength,
                       record.m_fHorizontalSpacing, record.m_fVerticalSpacing));
    const double resistance = RoundValue(
        MeshResistance(record.m_fSoilResistivity, record.m_fHorizontalLength,
                       record.m_fVerticalLength, record.m_fBurialDepth, record.m_fTotalLength),
        3);
    record.m_dResistance =
        std::isfinite(resistance) ? resistance : std::numeric_limits<double>::quiet_NaN();
}

} // namespace tav
