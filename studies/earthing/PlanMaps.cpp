#include "studies/earthing/PlanMaps.h"

#include "core/earthing/PlanPolygon.h"
#include "studies/earthing/PlanView.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <algorithm>
#include <iterator>

namespace {

const char *const kNames[] = {"none", "potential", "touch", "step", "leakage"};

} // namespace

QStringList PlanMaps::labels() {
    using namespace StringId::EarthingStudy;
    QStringList out;
    for (unsigned id :
         {kMapNone, kMapPotential, kMapTouch, kMapStep, StringId::EarthingLeakage::kMapLeakage})
        out.append(LoadLanguageString(id));
    return out;
}

QString PlanMaps::name(int index) {
    return QLatin1String(kNames[std::clamp(index, 0, kLeakage)]);
}

int PlanMaps::index(const QJsonObject &settings) {
    const QString map = settings.value(QStringLiteral("map")).toString();
    const auto named = std::find_if(std::begin(kNames), std::end(kNames), [&map](const char *name) {
        return map == QLatin1String(name);
    });
    return named != std::end(kNames) ? int(named - std::begin(kNames))
                                     : int(PlanPicture::Map::Touch);
}

void PlanMaps::show(PlanView &plan, int index, const tav::earthing::EarthingResult *result,
                    const std::optional<tav::earthing::SystemSafety> &safety, bool stale) {
    PlanPicture &picture = plan.picture();
    const bool leaking = result && index == kLeakage;
    picture.map = result && !leaking ? PlanPicture::Map(std::clamp(index, 0, kLeakage - 1))
                                     : PlanPicture::Map::None;
    picture.stale = result && stale;
    plan.leakage().result = leaking ? result : nullptr;
    plan.leakage().stale = picture.stale;
    // Each place's own limit: the layer's inside its zone, the bare soil's outside.
    picture.tolerable = PlaceLimits();
    if (safety && result && picture.map == PlanPicture::Map::Touch)
        picture.tolerable = PlaceLimits::touch(*safety, *result);
    if (safety && result && picture.map == PlanPicture::Map::Step)
        picture.tolerable = PlaceLimits::step(*safety, *result);
    plan.refresh(false);
}

std::vector<tav::earthing::Point2>
PlanMaps::zoneCorners(const std::vector<tav::earthing::TouchArea> &areas, const QString &zone) {
    using tav::earthing::TouchAreaKind;
    std::vector<tav::earthing::Point2> corners;
    for (const tav::earthing::TouchArea &area : areas) {
        if (zone == QLatin1String("fence") && area.kind == TouchAreaKind::Fence && corners.empty())
            corners = area.outline;
        if (zone == QLatin1String("grids") && area.kind == TouchAreaKind::Grid)
            corners.insert(corners.end(), area.outline.begin(), area.outline.end());
    }
    if (zone == QLatin1String("grids"))
        corners = tav::earthing::PlanPolygon::convexHull(corners);
    return corners;
}
