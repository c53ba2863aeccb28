#pragma once

#include "core/SiteFile.h"
#include "report/Report.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <utility>

class QPainter;
class StudyTexts;

// Writes a report as a one-page A4 PDF: the texts shrink until everything fits on the page,
// the plots taking the height that is left. The PDF is drawn in memory and saved as the
// project file is (tav::writeFileAtomically): whole or not at all, only over a regular file
// or nothing, through links to the file they name.
class ReportWriter {
public:
    // What a write is to spare and how it reaches the disk.
    struct Target {
        Target(QString path, QStringList inputs = {},
               tav::SiteFileSystem &system = tav::SiteFileSystem::standard())
            : path(std::move(path)), inputs(std::move(inputs)), system(&system) {}

        QString path;
        // The files the report is made from: never written over, by any name.
        QStringList inputs;
        tav::SiteFileSystem *system;
    };

    // False, with the reason worded in texts' words in *error, when the file was not
    // written; whatever the path named is then as it was.
    static bool write(const Report &report, const Target &target, const StudyTexts &texts,
                      QString *error = nullptr);

    // The report's PDF; empty when it could not be drawn.
    static QByteArray pdf(const Report &report);

    // The input among inputs that path names, by any name; empty for none.
    static QString inputAt(const QString &path, const QStringList &inputs);

    // Lays the report out in the page's rectangle (in points) on any painter.
    static void paint(QPainter &painter, const QRectF &page, const Report &report);
};
