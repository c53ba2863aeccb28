#pragma once

#include <QString>

class QWidget;
class SolvedStudy;

// File > Export DXF...: the study as last solved (its system and the isolines of its maps,
// as tav-calc system --dxf writes them) as a drawing at the site's coordinates, saved where
// the engineer chooses. A failure to write is said with the system's reason.
class DrawingExportFlow {
public:
    // False when nothing was written (cancelled, or refused with a message).
    static bool run(QWidget *owner, const SolvedStudy &solved, const QString &initialName);
    static bool write(QWidget *owner, const SolvedStudy &solved, const QString &path);
};
