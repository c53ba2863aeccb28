#include "core/FaultCurrent.h"

#include <cmath>

namespace tav {

namespace {

constexpr double kPi = 3.141592653589793;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

std::optional<Refusal> checkAsymmetry(const Asymmetry &asymmetry) {
    if (!positive(asymmetry.xOverR))
        return Refusal{Error::NotPositive, Quantity::XOverR, {asymmetry.xOverR}};
    if (!positive(asymmetry.frequency))
        return Refusal{Error::NotPositive, Quantity::Frequency, {asymmetry.frequency}};
    return std::nullopt;
}

double timeConstant(const Asymmetry &asymmetry) {
    return asymmetry.xOverR / (2 * kPi * asymmetry.frequency);
}

} // namespace

Refusable<double> decrementFactor(const Asymmetry &asymmetry, double duration) {
    if (const std::optional<Refusal> refusal = checkAsymmetry(asymmetry))
        return *refusal;
    if (!positive(duration))
        return Refusal{Error::NotPositive, Quantity::FaultDuration, {duration}};
    const double ta = timeConstant(asymmetry);
    // expm1 keeps the digits of 1 - e^(-x) for a fault short against Ta.
    const double df = std::sqrt(1 - ta / duration * std::expm1(-2 * duration / ta));
    if (!std::isfinite(df))
        return Refusal{Error::BeyondRange, Quantity::None, {}};
    return df;
}

Refusable<FaultCurrentResult> calculateFaultCurrent(const FaultCurrentInput &in) {
    if (!positive(in.faultCurrent))
        return Refusal{Error::NotPositive, Quantity::FaultCurrent, {in.faultCurrent}};
    if (!positive(in.splitFactor) || in.splitFactor > 1)
        return Refusal{Error::NotAFraction, Quantity::SplitFactor, {in.splitFactor}};
    if (!positive(in.duration))
        return Refusal{Error::NotPositive, Quantity::FaultDuration, {in.duration}};
    FaultCurrentResult result;
    if (in.decrementFactor) {
        if (!std::isfinite(*in.decrementFactor) || !(*in.decrementFactor >= 1))
            return Refusal{Error::BelowOne, Quantity::DecrementFactor, {*in.decrementFactor}};
        result.decrementFactor = *in.decrementFactor;
    } else if (in.asymmetry) {
        const Refusable<double> df = decrementFactor(*in.asymmetry, in.duration);
        if (df.refused())
            return df.refusal();
        result.timeConstant = timeConstant(*in.asymmetry);
        result.decrementFactor = df.result();
    }
    result.gridCurrent = result.decrementFactor * in.splitFactor * in.faultCurrent;
    if (!std::isfinite(result.gridCurrent))
        return Refusal{Error::BeyondRange, Quantity::None, {}};
    return result;
}

} // namespace tav
