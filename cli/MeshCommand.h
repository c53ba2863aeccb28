#pragma once

#include <QStringList>

// tav-calc mesh: the mesh grid's wire length and resistance, as its form computes them.
class MeshCommand {
public:
    // The exit status: 0 done, 2 usage error (thrown as UsageError). Like the form, it
    // refuses no value: results without a finite value are written as no value.
    static int run(const QStringList &arguments);
};
