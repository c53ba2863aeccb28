#pragma once

#include <QStringList>

// tav-calc dxf-import: a CAD drawing's conductors and rods, by what each layer stands for,
// as a complete system document on standard output (a new study's soil and current, one
// drawing part, the site origin), or with --format text a summary of what was taken, left
// out and ignored.
class DxfImportCommand {
public:
    // The exit status: 0 done, 1 drawing or layer map refused, 2 usage error (thrown as
    // UsageError).
    static int run(const QStringList &arguments);
};
