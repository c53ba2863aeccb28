#include "core/MeshGrid.h"

#include "core/NumericText.h"
#include "core/RoundValue.h"

#include <climits>
#include <cmath>
#include <limits>

namespace tav {

namespace {

bool isPositive(float value) {
    return value > 0 && std::isfinite(value);
}

// Multiples of the spacing strictly between 0 and the side; empty beyond int.
std::optional<int> innerConductors(float side, float spacing) {
    double q = static_cast<double>(side) / spacing;
    if (q - std::trunc(q) == 0)
        q = q - 1;
    if (!(q < static_cast<double>(INT_MAX)))
        return std::nullopt;
    return static_cast<int>(std::trunc(q));
}

} // namespace

std::optional<MeshConductors> countMeshConductors(float a, float b, float sx, float sy) {
    if (!isPositive(a) || !isPositive(b) || !isPositive(sx) || !isPositive(sy))
        return std::nullopt;
    const std::optional<int> nx = innerConductors(a, sx);
    const std::optional<int> ny = innerConductors(b, sy);
    if (!nx || !ny)
        return std::nullopt;
    return MeshConductors{*nx, *ny};
}

double meshWireLength(float a, float b, float sx, float sy) {
    const std::optional<MeshConductors> inner = countMeshConductors(a, b, sx, sy);
    if (!inner)
        return std::numeric_limits<double>::quiet_NaN();
    const double perimeter = (static_cast<double>(b) + a) * 2;
    return (perimeter + inner->vertical * static_cast<double>(a)) +
           inner->horizontal * static_cast<double>(b);
}

double meshResistance(float rho, float a, float b, float h, float totalLength) {
    const double area = static_cast<double>(b) * a;
    // Narrowed without the undefined behaviour of a cast for a quotient beyond float.
    const float u = std::sqrt(NumericText::narrowToSingle(20 / area));
    const double f = 1 + 1 / (u * static_cast<double>(h) + 1);
    const float w = std::sqrt(NumericText::narrowToSingle(static_cast<double>(a) * 20 * b));
    return (f * (1 / static_cast<double>(w)) + 1 / static_cast<double>(totalLength)) * rho;
}

std::optional<Refusal> meshGridInputRefusal(const MeshGridRecord &record) {
    const struct {
        Quantity quantity;
        float value;
    } inputs[] = {{Quantity::SoilResistivity, record.soilResistivity},
                  {Quantity::HorizontalLength, record.horizontalLength},
                  {Quantity::VerticalLength, record.verticalLength},
                  {Quantity::BurialDepth, record.burialDepth},
                  {Quantity::HorizontalSpacing, record.horizontalSpacing},
                  {Quantity::VerticalSpacing, record.verticalSpacing}};
    for (const auto &input : inputs)
        if (!isPositive(input.value))
            return Refusal{Error::NotPositive, input.quantity, {input.value}};
    const double length = meshWireLength(record.horizontalLength, record.verticalLength,
                                         record.horizontalSpacing, record.verticalSpacing);
    if (!std::isfinite(NumericText::narrowToSingle(length)))
        return Refusal{Error::BeyondRange, Quantity::None, {}};
    return std::nullopt;
}

void calculateMeshGrid(MeshGridRecord &record) {
    record.totalLength = NumericText::narrowToSingle(
        meshWireLength(record.horizontalLength, record.verticalLength, record.horizontalSpacing,
                       record.verticalSpacing));
    const double resistance = roundToDecimals(
        meshResistance(record.soilResistivity, record.horizontalLength, record.verticalLength,
                       record.burialDepth, record.totalLength),
        2);
    record.resistance =
        std::isfinite(resistance) ? resistance : std::numeric_limits<double>::quiet_NaN();
}

} // namespace tav
