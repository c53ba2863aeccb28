#include "core/SoilResistivity.h"

#include "core/RoundValue.h"

#include <cmath>

namespace tav {

namespace {

constexpr int kFixedRows = 9;
constexpr int kFixedSpacing[kFixedRows] = {1, 2, 4, 6, 9, 12, 18, 24, 30};
// 6.28 times the spacing, written out as the resistivity factors of the fixed rows (each
// equal to the double product 6.28 x spacing).
constexpr double kFixedFactor[kFixedRows] = {6.28,  12.56,  25.12,  37.68, 56.52,
                                             75.36, 113.04, 150.72, 188.4};

double rowResistivity(const SoilResistivityRecord &record, int row) {
    const double measured = record.m_fMeasuredR[row];
    if (row < kFixedRows)
        return measured * kFixedFactor[row];
    const int spacing = row == kFixedRows ? record.m_nSpacing1 : record.m_nSpacing2;
    return (spacing * 6.28) * measured;
}

} // namespace

int soilRowSpacing(const SoilResistivityRecord &record, int row) {
    if (row < kFixedRows)
        return kFixedSpacing[row];
    return row == kFixedRows ? record.m_nSpacing1 : record.m_nSpacing2;
}

void CalculateSoilResistivity(SoilResistivityRecord &record) {
    double sum = 0;
    int counted = 0;
    for (int row = 0; row < kSoilRows; ++row) {
        const double rho = rowResistivity(record, row);
        // A zero spacing times an infinite resistance gives NaN: that row is not measured either.
        if (rho != 0 && !std::isnan(rho)) {
            sum += rho;
            ++counted;
        }
        record.m_dResistivity[row] = roundToDecimals(rho, 1);
    }
    record.m_dAverage = counted > 0 ? roundToDecimals(sum / counted, 2) : 0;
}

void ResetSoilResistivity(SoilResistivityRecord &record) {
    record = SoilResistivityRecord{};
}

} // namespace tav
