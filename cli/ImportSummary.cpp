#include "cli/ImportSummary.h"

#include "cli/CliStrings.h"
#include "core/NumericText.h"
#include "document/DocumentWording.h"
#include "text/StringIds.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

QString line(unsigned id, std::size_t count) {
    return CliStrings::text(id).arg(count) + QLatin1Char('\n');
}

QString metres(double value) {
    return QString::fromStdString(
        tav::NumericText::formatReal(value, tav::NumericText::kDoubleDigits));
}

} // namespace

std::string ImportSummary::text(const ImportOutcome &o) {
    const tav::cad::ImportedPlan &p = o.plan;
    QString text =
        line(StringId::kImportConductors, p.conductors.size()) +
        line(StringId::kImportRods, p.rods.size()) +
        line(StringId::DrawingRoles::kImportFences, p.fences.size()) +
        line(StringId::DrawingRoles::kImportTouchAreas, p.touchAreas.size()) +
        line(StringId::DrawingRoles::kImportSurface, p.surface ? 1 : 0) +
        line(StringId::kImportMerged, p.mergedDuplicates) + line(StringId::kImportJoins, p.joins) +
        CliStrings::text(StringId::kImportOrigin).arg(metres(p.originX), metres(p.originY)) +
        QLatin1Char('\n');
    text += leftOut(o);
    text += ignored(p.ignored);
    return text.toStdString();
}

QString ImportSummary::leftOut(const ImportOutcome &o) {
    if (o.plan.leftOut.empty())
        return CliStrings::text(StringId::kImportNothingLeftOut) + QLatin1Char('\n');
    QString text;
    for (const auto &[where, count] : o.plan.leftOut)
        text += CliStrings::text(StringId::kImportLeftOut)
                    .arg(QString::number(count), QString::fromStdString(where.first),
                         CliStrings::text(DocumentWording::leftOutId(where.second))) +
                QLatin1Char('\n');
    return text;
}

QString ImportSummary::ignored(const tav::cad::DxfEntityCounts &counts) {
    // By layer, the most common type first.
    std::map<std::string, std::vector<std::pair<std::size_t, std::string>>> byLayer;
    for (const auto &[key, count] : counts)
        byLayer[key.second].push_back({count, key.first});
    QString text;
    for (auto &[layer, types] : byLayer) {
        std::sort(types.begin(), types.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        QStringList parts;
        for (const auto &[count, type] : types)
            parts.append(QString::number(count) + QLatin1Char(' ') + QString::fromStdString(type));
        text += CliStrings::text(StringId::kImportIgnored)
                    .arg(parts.join(QStringLiteral(", ")), QString::fromStdString(layer)) +
                QLatin1Char('\n');
    }
    return text;
}
