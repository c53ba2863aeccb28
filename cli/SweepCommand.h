#pragma once

#include <QStringList>

// tav-calc sweep: one parameter of an earthing system study over a range, every value a
// full solve of the study as tav-calc system makes it (its cases judged together): per
// value the resistance, the ground potential rise, the worst touch and step voltages
// against their tolerable values and the verdict, as text, JSON or CSV.
class SweepCommand {
public:
    // The exit status: 0 done, 1 document, parameter or range refused, 2 usage error.
    static int run(const QStringList &arguments);
};
