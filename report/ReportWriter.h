#pragma once

#include "report/Report.h"

#include <QRectF>
#include <QString>

class QPainter;

// Writes a report as a one-page A4 PDF: the texts shrink until everything fits on the page,
// the plots taking the height that is left. The file is written whole or not at all.
class ReportWriter {
public:
    // False with the system's reason in *error when the file could not be written; a file
    // that was there is then unchanged.
    static bool write(const Report &report, const QString &path, QString *error = nullptr);

    // Lays the report out in the page's rectangle (in points) on any painter.
    static void paint(QPainter &painter, const QRectF &page, const Report &report);
};
