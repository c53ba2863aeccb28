#include "document/PartLeakage.h"

#include "document/PartSchema.h"
#include "text/StringIds.h"

#include <algorithm>

namespace tav {

QString PartLeakageRow::path() const {
    QString out = QLatin1String(PartSchema::key(kind)) + QLatin1Char('[') + QString::number(index) +
                  QLatin1Char(']');
    if (!field.isEmpty())
        out += QLatin1Char('.') + field;
    return out;
}

namespace {

double injectedCurrent(const earthing::EarthingResult &result) {
    for (const earthing::GroupResult &g : result.groups)
        if (g.group == 0)
            return g.current;
    return 0;
}

// A drawing's conductors are named by their rows ("conductors[3]"); its leakage is one row
// for its conductors and one for its rods, as a grid's.
QString rowField(const ConductorSource &s) {
    return s.kind == PartKind::Drawing ? s.field.section(QLatin1Char('['), 0, 0) : s.field;
}

} // namespace

SystemLeakage SystemLeakage::of(const std::vector<ConductorSource> &sources,
                                const earthing::EarthingResult &result) {
    SystemLeakage out;
    out.conductors = earthing::ConductorLeakage::of(result, sources.size());
    out.injected = injectedCurrent(result);
    for (std::size_t k = 0; k < sources.size(); ++k) {
        const ConductorSource &s = sources[k];
        const QString field = rowField(s);
        // The conductors of one part follow one another: a row starts where the part does.
        auto row = std::find_if(out.parts.begin(), out.parts.end(), [&](const PartLeakageRow &r) {
            return r.kind == s.kind && r.index == s.index && r.field == field;
        });
        if (row == out.parts.end()) {
            PartLeakageRow added;
            added.kind = s.kind;
            added.index = s.index;
            added.field = field;
            added.group = out.conductors[k].group;
            out.parts.push_back(added);
            row = out.parts.end() - 1;
        }
        row->current += out.conductors[k].current;
        row->length += out.conductors[k].length;
    }
    for (PartLeakageRow &row : out.parts)
        row.share = out.injected != 0 ? row.current / out.injected : 0;
    return out;
}

SystemLeakage SystemLeakage::of(const SystemDocument &document,
                                const earthing::EarthingResult &result) {
    SystemLeakage leakage = of(document.sources(), result);
    for (PartLeakageRow &row : leakage.parts)
        if (row.kind == PartKind::Drawing && row.index < int(document.drawings.size()))
            row.given = document.drawings[std::size_t(row.index)].name;
    return leakage;
}

QString SystemLeakage::name(const PartLeakageRow &row,
                            const std::function<QString(unsigned)> &text) {
    const QString part =
        !row.given.trimmed().isEmpty()
            ? row.given
            : text(row.kind == PartKind::Drawing ? StringId::kLeakageDrawing
                                                 : StringId::kLeakagePartNames + unsigned(row.kind))
                  .arg(row.index + 1);
    // A drawing's conductors are the part itself; its rods apart, as a grid's.
    if (row.field.isEmpty() ||
        (row.kind == PartKind::Drawing && !row.field.startsWith(QLatin1String("rods"))))
        return part;
    return text(row.field == QLatin1String("posts") ? StringId::kLeakagePosts
                                                    : StringId::kLeakageRods)
        .arg(part);
}

} // namespace tav
