#pragma once

#include <QStringList>

// tav-calc split: how a fault in the station shares out between the station's electrode
// and the lines and cables that leave it, for a network read as JSON and the station's
// earth impedance given.
class SplitCommand {
public:
    // The exit status: 0 done, 1 network or inputs refused, 2 usage error (thrown as
    // UsageError).
    static int run(const QStringList &arguments);
};
