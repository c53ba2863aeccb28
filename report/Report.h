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
// another. The same document becomes the one-page PDF (ReportWriter) and the text a
// window copies (toText), so that both always say the same.
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
};

struct Report {
    QString title;
    QVector<QPair<QString, QString>> information; // the field information, if any
    QString informationHeading;
    QVector<ReportBlock> blocks;
    QString footer; // who wrote it and when

    // Plain text: each block under its heading, pairs as "name: value", tables as
    // tab-separated values; no plot.
    QString toText() const;
};
