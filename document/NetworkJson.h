#pragma once

#include "core/network/Network.h"
#include "core/network/NetworkCheck.h"
#include "document/DocumentError.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace tav {

// The network of lines and cables that feeds a fault in the station, as a document holds
// it: what the solver takes, the decrement factor that the current into the earth is
// multiplied by, and the object as read, which is written back as it came.
struct NetworkPart {
    network::Network model;
    double decrement = 1; // Df
    QJsonObject json;
};

// The network's keys, read as strictly as the rest of the document: the shapes here, the
// values by the network's own checks (NetworkCheck), each fault named at its path.
class NetworkJson {
public:
    // The object at path: "network" in a system document, empty for tav-calc split's own
    // file. Without earth_return_rho the resistivity is deepestRho (the study's deepest
    // layer); without either it is needed only for conductors given by their geometry.
    static NetworkPart read(const QJsonValue &value, const QString &path,
                            std::optional<double> deepestRho, DocumentError &error);
    // A place of the network under path: "network.lines[0].tower_resistance[3]".
    static QString path(const QString &prefix, const network::NetworkPlace &place);
};

} // namespace tav
