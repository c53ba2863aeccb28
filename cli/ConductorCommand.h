#pragma once

#include <QStringList>

// tav-calc conductor: the smallest cross-section of an earthing conductor for a fault
// current and its duration, after IEEE Std 80-2013 Eq. 37.
class ConductorCommand {
public:
    // The exit status: 0 done, 1 inputs refused, 2 usage error (thrown as UsageError).
    static int run(const QStringList &arguments);
};
