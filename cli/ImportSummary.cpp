#include "cli/ImportSummary.h"

#include "cli/CliStrings.h"
#include "core/NumericText.h"
#include "text/StringIds.h"

#include <QStringList>

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

using tav::cad::LayerMapping;
using tav::cad::LayerRole;

// CAD matches layer names whatever their case, as the import does.
std::string upper(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return name;
}

const LayerMapping *mappingOf(const ImportOutcome &o, const std::string &layer) {
    for (const auto &[name, mapping] : o.layers)
        if (upper(name) == upper(layer))
            return &mapping;
    return nullptr;
}

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
    for (const auto &[layer, count] : o.plan.leftOut) {
        const LayerMapping *mapping = mappingOf(o, layer);
        const unsigned why = !mapping ? 0 : mapping->role == LayerRole::Conductor ? 1 : 2;
        text += CliStrings::text(StringId::kImportLeftOut)
                    .arg(QString::number(count), QString::fromStdString(layer),
                         CliStrings::text(StringId::kImportLeftOutWhy + why)) +
                QLatin1Char('\n');
    }
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
