#pragma once

#include <QStringList>

// tav-calc site show FILE and tav-calc site write FILE: a field information file as the
// form shows it, and a record from JSON written as the form writes it.
class SiteCommand {
public:
    // The most of standard input that site write reads: 64 MiB, thousands of times a
    // record typed in the form, yet little enough to read into memory at once.
    static constexpr qsizetype kMostInput = qsizetype{64} << 20;

    // The exit status: 0 done, 1 the file could not be read or written, 2 usage error
    // (thrown as UsageError).
    static int run(const QStringList &arguments);
};
