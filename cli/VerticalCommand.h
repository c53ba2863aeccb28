#pragma once

#include <QStringList>

// tav-calc vertical: the vertical rod design, as its form computes it.
class VerticalCommand {
public:
    // The exit status: 0 designed, 1 refused, 2 usage error (thrown as UsageError).
    static int Run(const QStringList &arguments);
};
