#include "studies/earthing/editor/TypedPoint.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace TypedPoint {

std::optional<Typed> read(const QString &text) {
    QString t = text.trimmed();
    Typed typed;
    if (t.startsWith(QLatin1Char('@'))) {
        typed.relative = true;
        t = t.mid(1);
    }
    static const QRegularExpression separator(QStringLiteral("\\s*[,;]\\s*|\\s+"));
    const QStringList numbers = t.trimmed().split(separator);
    if (numbers.size() != 2)
        return std::nullopt;
    bool okX = false, okY = false;
    const double x = numbers[0].toDouble(&okX);
    const double y = numbers[1].toDouble(&okY);
    if (!okX || !okY || !std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    typed.value = QPointF(x, y);
    return typed;
}

std::optional<QPointF> resolve(const QString &text, std::optional<QPointF> before) {
    const std::optional<Typed> typed = read(text);
    if (!typed || (typed->relative && !before))
        return std::nullopt;
    return typed->relative ? *before + typed->value : typed->value;
}

} // namespace TypedPoint
