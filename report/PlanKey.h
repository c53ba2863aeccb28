#pragma once

#include "report/PlanPicture.h"

#include <QRectF>
#include <QString>

#include <vector>

class QFontMetricsF;
class QPainter;
class StudyTexts;

// The key of a plan's symbols: each symbol the plan draws, drawn as it draws it, beside its
// words, in rows across the width given, so that a reader tells energised metal from
// floating, a rod from a post, a touch area from the surface layer and the worst places.
class PlanKey {
public:
    PlanKey(const std::vector<PlanPicture::Symbol> &symbols, const StudyTexts &texts);

    // The words of each symbol, in order.
    std::vector<QString> words() const;
    // How tall the key is across width, in the font of metrics.
    double height(const QFontMetricsF &metrics, double width) const;
    void paint(QPainter &painter, const QRectF &area) const;

private:
    struct Item {
        PlanPicture::Symbol symbol;
        QString words;
    };
    // Each item's box (its sample and words) from the key's top left, row by row.
    std::vector<QRectF> layOut(const QFontMetricsF &metrics, double width) const;

    std::vector<Item> m_items;
};
