#pragma once

#include <QStringList>

// tav-calc wenner: soil resistivities from Wenner measurements, as their form computes them.
class WennerCommand {
public:
    // The exit status: 0 done, 2 usage error (thrown as UsageError).
    static int run(const QStringList &arguments);
};
