#pragma once

#include <QStringList>

// tav-calc design: the layout of least cost inside a document's "design" outline that
// passes every case's touch and step, each layout solved as tav-calc system solves it.
class DesignCommand {
public:
    // The exit status: 0 a layout passes, 1 none does or the document is refused, 2 usage
    // error (thrown as UsageError).
    static int run(const QStringList &arguments);
};
