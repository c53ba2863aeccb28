#pragma once

#include "report/ReportPieces.h"

#include <QVector>

// Puts a report's pieces on pages one under another, as many pages as they take: a piece
// that does not fit goes to the next page, a heading with at least its first line (with
// the picture it heads, when it heads one), a table
// row at the top of a page under its header again. Only heights: where each piece goes,
// not how it looks, so that the pages can be counted before any is drawn.
class ReportFlow {
public:
    struct Placed {
        int piece; // index among the pieces
        double y;  // from the top of the page's text
    };
    using Page = QVector<Placed>;

    static QVector<Page> pages(const QVector<ReportPiece> &pieces, double bodyHeight);

private:
    // The height from piece's top to the foot of the pieces that must share its page.
    static double keptHeight(const QVector<ReportPiece> &pieces, int piece);
};
