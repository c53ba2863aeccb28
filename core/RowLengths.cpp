#include "core/RowLengths.h"

#include "core/NumericText.h"

namespace tav {

std::array<int, kRodRows> rowLengths(int lengthFrom, int lengthTo) {
    std::array<int, kRodRows> rows{};
    rows.front() = lengthFrom;
    rows.back() = lengthTo;
    // Subtracting as doubles is exact for any two ints; an int subtraction could overflow.
    const double step = (static_cast<double>(lengthTo) - static_cast<double>(lengthFrom)) / 10;
    double acc = lengthFrom + step;
    for (int i = 1; i < kRodRows - 1; ++i) {
        rows[i] = NumericText::truncateToInt(acc);
        acc = acc + step;
    }
    return rows;
}

} // namespace tav
