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
// Throws UsageError for --site without --pdf.
bool wanted(const CliOptions &options);
// 0 when written; 1, with the reason on standard error, when the field information could
// not be read or the report not written.
int write(const CliOptions &options, const MakeReport &make);

// Whether the command line asks for a PDF, before anything is parsed: tav-calc then needs
// Qt's drawing, on the offscreen platform, so that it still runs without a display.
bool requestedIn(int argc, char **argv);

} // namespace ReportOutput
