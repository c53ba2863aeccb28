#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

class PlanView;

// The maps the study window's plan offers, as its combo lists them and study_window/map
// names them: PlanPicture's own (none, potential, touch, step), then the conductors
// coloured by the current they leak per metre, drawn over a plan without a map.
class PlanMaps {
public:
    static constexpr int kLeakage = 4;

    static QStringList labels();
    // "touch"; the index is clamped to the maps there are.
    static QString name(int index);
    // The map the settings name; the touch map when they name none.
    static int index(const QJsonObject &settings);
    // Shows the map of index on the plan, after a solve (result), its tolerable contour
    // from the safety; stale: of a system changed since.
    // The corners of the surface layer's zone chosen by name among the touch areas the plan
    // shows: "fence", the first fence's outline; "grids", the hull of every grid's; else none.
    static std::vector<tav::earthing::Point2>
    zoneCorners(const std::vector<tav::earthing::TouchArea> &areas, const QString &zone);
    static void show(PlanView &plan, int index, const tav::earthing::EarthingResult *result,
                     const std::optional<tav::earthing::SystemSafety> &safety, bool stale);
};
