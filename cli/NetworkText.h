#pragma once

#include "core/network/NetworkResult.h"

#include <optional>
#include <string>

// How the fault current shares out, as tav-calc split and system write it: 3I0, Z_E, I_E
// and Sf, a table of the lines and cables (r, the chain impedance, the return current,
// the remote station's rise), and each line's first towers.
namespace NetworkText {

// The study's current Df |I_E| and Df, when a system study took it.
struct StudyCurrent {
    double current = 0;
    double decrement = 1;
};

std::string text(const tav::network::NetworkResult &result,
                 const std::optional<StudyCurrent> &study = std::nullopt);

} // namespace NetworkText
