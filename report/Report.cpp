#include "report/Report.h"

namespace {

void appendPairs(QString &text, const QVector<QPair<QString, QString>> &pairs) {
    for (const auto &[name, value] : pairs)
        text += name + QStringLiteral(": ") + value + QLatin1Char('\n');
}

} // namespace

QString Report::toText() const {
    QString text = title + QLatin1Char('\n');
    if (!information.isEmpty()) {
        text += QLatin1Char('\n') + informationHeading + QLatin1Char('\n');
        appendPairs(text, information);
    }
    for (const ReportBlock &block : blocks) {
        if (block.pairs.isEmpty() && block.lines.isEmpty() && block.header.isEmpty())
            continue;
        text += QLatin1Char('\n');
        if (!block.heading.isEmpty())
            text += block.heading + QLatin1Char('\n');
        appendPairs(text, block.pairs);
        for (const ReportLine &line : block.lines)
            text += line.text + QLatin1Char('\n');
        if (!block.header.isEmpty()) {
            text += block.header.join(QLatin1Char('\t')) + QLatin1Char('\n');
            for (const QStringList &row : block.rows)
                text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
    }
    if (!footer.isEmpty())
        text += QLatin1Char('\n') + footer + QLatin1Char('\n');
    return text;
}
