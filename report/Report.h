#pragma once

#include "report/LogLogPlot.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

class QPainter;
class QRectF;

// A study's report as a document: a title, the field information, and blocks one under
// another. The same document becomes the PDF, on as many pages as it takes (ReportWriter),
// and the text a window copies (toText), so that both always say the same.
struct ReportLine {
    enum class Tone { Plain, Pass, Fail, Caution };

    QString text;
    Tone tone = Tone::Plain;
};

struct ReportBlock {
    QString heading;
    // Name and value, in two columns.
    QVector<QPair<QString, QString>> pairs;
    QVector<ReportLine> lines;
    // A table: its header and rows, written as tab-separated values in text.
    QStringList header;
    QVector<QStringList> rows;
    std::optional<LogLogPlot> plot;
    // A picture drawn into the area a plot would take (the plan of a system, say), after
    // the plot if both are given; nothing in text.
    std::function<void(QPainter &painter, const QRectF &area)> picture;
    // The height of the plot and of the picture, each: a picture keeps its height and moves
    // to the next page rather than shrink. 0: a third of the page's text height.
    double pictureHeight = 0; // mm
    bool newPage = false;     // starts on a page of its own
    QString caption;          // under the picture
};

struct Report {
    QString title;
    QVector<QPair<QString, QString>> information; // the field information, if any
    QString informationHeading;
    QVector<ReportBlock> blocks;
    QString footer;  // who wrote it and when, at the foot of every page
    QString project; // at the head of every page, beside the page count; empty allowed
    // The words of the page count at the head of every page, "page %1 of %2";
    // ReportWriter::write takes them from the string table when they are empty.
    QString pageOf;

    // Plain text: each block under its heading, pairs as "name: value", tables as
    // tab-separated values; no plot.
    QString toText() const;
};
