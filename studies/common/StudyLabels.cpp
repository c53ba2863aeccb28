#include "studies/common/StudyLabels.h"

#include <QLabel>

namespace StudyLabels {

QLabel *wrapping(QWidget *parent, const QString &name) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString colour(ReportLine::Tone tone) {
    switch (tone) {
    case ReportLine::Tone::Pass:
        return QStringLiteral("#1b7a32");
    case ReportLine::Tone::Fail:
        return QStringLiteral("#c01c1c");
    case ReportLine::Tone::Caution:
        return QStringLiteral("#9a5b00");
    case ReportLine::Tone::Plain:
        break;
    }
    return QStringLiteral("#000000");
}

void showLine(QLabel *label, const ReportLine &line) {
    const bool bold = line.tone != ReportLine::Tone::Caution;
    label->setStyleSheet(
        QStringLiteral("QLabel { color: %1; font-weight: %2; }")
            .arg(colour(line.tone), bold ? QStringLiteral("bold") : QStringLiteral("normal")));
    label->setText(line.text);
    label->show();
}

} // namespace StudyLabels
