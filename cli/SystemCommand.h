#pragma once

#include <QStringList>

// tav-calc system: an earthing system of conductors in uniform or two-layer soil, read as
// a JSON document, solved by the moment method: its resistance, the potentials and
// currents of its metal, the surface potential at given points and the worst touch and
// step voltages.
class SystemCommand {
public:
    // The exit status: 0 done, 1 document or inputs refused, 2 usage error (thrown as
    // UsageError).
    static int run(const QStringList &arguments);
};
