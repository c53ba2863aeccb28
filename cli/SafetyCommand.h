#pragma once

#include <QStringList>

// tav-calc safety: the touch and step voltages of a rectangular grid against the tolerable
// ones, after IEEE Std 80-2013.
class SafetyCommand {
public:
    // The exit status: 0 done, 1 inputs refused, 2 usage error (thrown as UsageError).
    static int run(const QStringList &arguments);
};
