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

// Writes a report as an A4 PDF of as many pages as it takes, its type one size throughout
// (ReportPieces, ReportFlow, ReportPage). The PDF is drawn in memory and saved as the
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
    // written; whatever the path named is then as it was. The pages are counted in texts'
    // words unless the report has its own (Report::pageOf).
    static bool write(const Report &report, const Target &target, const StudyTexts &texts,
                      QString *error = nullptr);

    // The report's PDF; empty when it could not be drawn. Throws std::bad_alloc when memory
    // runs out while it draws.
    static QByteArray pdf(const Report &report);

    // The input among inputs that path names, by any name; empty for none.
    static QString inputAt(const QString &path, const QStringList &inputs);

    // Lays the report out on pages of the page's rectangle (in points) and draws the one of
    // index pageIndex (from 0) on any painter: one page, as a preview shows it.
    static void paint(QPainter &painter, const QRectF &page, const Report &report,
                      int pageIndex = 0);
    // How many pages the report takes on pages of that rectangle.
    static int pageCount(QPainter &painter, const QRectF &page, const Report &report);

private:
    // The report with texts' words for its page count, unless it has its own.
    static Report paged(const Report &report, const StudyTexts &texts);
};
