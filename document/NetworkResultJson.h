#pragma once

#include "core/network/NetworkResult.h"

#include <QByteArray>

#include <optional>

namespace tav {

// How the fault current shares out, as JSON: every complex value as [re, im] with its
// magnitude beside under the key and "_magnitude"; a value a line does not have (an
// endless line's remote rise, the chain impedance of a line without earth wires) null.
// A cable has a line's keys, its sheath's current as "wire_current" and no towers.
class NetworkResultJson {
public:
    // With the decrement factor the study's current took, as tav-calc system writes it.
    static QByteArray write(const network::NetworkResult &result,
                            std::optional<double> decrement = std::nullopt);
};

} // namespace tav
