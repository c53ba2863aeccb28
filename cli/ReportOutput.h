#pragma once

#include "cli/CliOptions.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <functional>

// --pdf FILE and --site FILE of the subcommands whose study has a report: the report the
// study window saves, written whole or not at all, headed by a field information file.
namespace ReportOutput {

using MakeReport = std::function<Report(const StudyHeader &header, const StudyTexts &texts)>;

void addOptions(CliOptions &options);
// Throws UsageError for --site without --pdf, and for a --pdf that names, by any name, one
// of the files the report is made from: the command's inputs (its options' values as
// given, - for standard input) and the --site file.
bool wanted(const CliOptions &options, const QStringList &inputs = {});
// 0 when written; 1, with the reason on standard error, when the field information could
// not be read or the report not written (anything but a regular file or nothing at the
// path, a link loop, a full disk), and then whatever the path named is as it was.
int write(const CliOptions &options, const MakeReport &make, const QStringList &inputs = {});

// Whether the command line asks for a PDF, before anything is parsed: tav-calc then needs
// Qt's drawing, on the offscreen platform, so that it still runs without a display.
bool requestedIn(int argc, char **argv);

} // namespace ReportOutput
