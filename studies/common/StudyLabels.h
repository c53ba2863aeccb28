#pragma once

#include "report/Report.h"

#include <QString>

class QLabel;
class QWidget;

// The labels the study windows put their messages and verdicts in.
namespace StudyLabels {

// Plain text, wrapped to the width it is given, named for tests and screen readers.
QLabel *wrapping(QWidget *parent, const QString &name);
// The colour of a verdict's tone: green pass, red fail, amber caution, black otherwise.
QString colour(ReportLine::Tone tone);
// The line's text in its tone's colour, bold but for a caution.
void showLine(QLabel *label, const ReportLine &line);

} // namespace StudyLabels
