#pragma once

#include <QStringList>

// tav-calc vertical and tav-calc horizontal: the two rod designs, as their forms compute
// them. They differ only in their defaults, one input and the rod models.
class RodCommand {
public:
    // The exit status: 0 designed, 1 refused, 2 usage error (thrown as UsageError).
    static int runVertical(const QStringList &arguments);
    static int runHorizontal(const QStringList &arguments);
};
