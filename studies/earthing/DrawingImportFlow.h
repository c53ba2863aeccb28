#pragma once

class EarthingProject;
class QWidget;

// File > Import DXF...: a drawing chosen, read, described by the engineer in
// DxfImportDialog, and its conductors and rods added to the study as imported drawing
// parts in one edit. A study keeps one site origin: a second drawing comes in about the
// first's, so that the two lie where they lie on site.
class DrawingImportFlow {
public:
    // False when nothing was imported (cancelled, or refused with a message).
    static bool run(QWidget *owner, EarthingProject *project);
};
