#include "report/ReportFlow.h"

#include <algorithm>

double ReportFlow::keptHeight(const QVector<ReportPiece> &pieces, int piece) {
    // What a piece keeps may keep more: a heading its table's header, the header its first
    // row.
    int last = piece + pieces[piece].keep;
    double height = pieces[piece].height;
    for (int i = piece + 1; i <= last && i < pieces.size(); ++i) {
        height += pieces[i].before + pieces[i].height;
        last = std::max(last, i + pieces[i].keep);
    }
    return height;
}

QVector<ReportFlow::Page> ReportFlow::pages(const QVector<ReportPiece> &pieces, double bodyHeight) {
    QVector<Page> pages(1);
    double y = 0;
    for (int i = 0; i < pieces.size(); ++i) {
        const ReportPiece &piece = pieces[i];
        // On an empty page a piece goes whatever its height: nowhere else would it fit.
        if (!pages.last().isEmpty() &&
            (piece.newPage || y + piece.before + keptHeight(pieces, i) > bodyHeight)) {
            pages.append(Page());
            y = 0;
            if (piece.header >= 0) {
                pages.last().append({piece.header, 0});
                y = pieces[piece.header].height;
            }
        }
        if (!pages.last().isEmpty())
            y += piece.before;
        pages.last().append({i, y});
        y += piece.height;
    }
    return pages;
}
