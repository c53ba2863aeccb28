#pragma once

#include <QStringList>

// tav-calc soil-model: the two-layer soil under a Wenner sounding, beside the best uniform
// soil.
class SoilModelCommand {
public:
    // The exit status: 0 done, 1 readings refused, 2 usage error (thrown as UsageError).
    static int run(const QStringList &arguments);
};
