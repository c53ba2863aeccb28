#pragma once

#include <QStringList>

// tav-calc tolerable: the tolerable (permissible) touch and step voltages alone, after IEEE
// Std 80-2013 or EN 50522:2010.
class TolerableCommand {
public:
    // The exit status: 0 done, 1 inputs refused, 2 usage error (thrown as UsageError).
    static int run(const QStringList &arguments);
};
