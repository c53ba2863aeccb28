#include "report/SystemPictures.h"

#include "report/LeakagePicture.h"
#include "report/MapPicture.h"
#include "report/PlanKey.h"
#include "report/PlanPicture.h"
#include "report/ScaledPlan.h"
#include "text/StringIds.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace StringId::SystemReport;
namespace Study = StringId::Study;
using namespace tav::earthing;

namespace SystemPictures {

ReportBlock plan(const tav::SystemDocument &document,
                 const std::shared_ptr<const EarthingResult> &result, const StudyTexts &texts) {
    PlanPicture picture = ScaledPlan::pictureOf(document);
    picture.result = result.get();
    picture.map = PlanPicture::Map::None;
    const std::vector<ScaledPlan::GridShape> grids = ScaledPlan::gridShapes(document);
    ReportBlock block;
    block.heading = texts.text(kPlanToScale);
    block.newPage = true;
    block.pictureHeight = kPlanHeight;
    // The key of its symbols under it, across the page.
    const PlanKey key(picture.symbols(), texts);
    block.picture = [result, picture, grids, texts, key](QPainter &painter, const QRectF &area) {
        QFont font = painter.font();
        font.setPointSizeF(8);
        painter.setFont(font);
        const double keyHeight = key.height(QFontMetricsF(font), area.width());
        const QRectF plan = area.adjusted(0, 0, 0, -keyHeight - 6);
        ScaledPlan(plan, picture.extent()).paint(painter, picture, grids, texts);
        key.paint(painter, QRectF(area.left(), plan.bottom() + 6, area.width(), keyHeight));
    };
    return block;
}

std::vector<ReportBlock> maps(const tav::SystemDocument &document,
                              const std::shared_ptr<const EarthingResult> &result,
                              const std::optional<SystemSafety> &safety, const StudyTexts &texts) {
    const std::vector<Conductor> conductors = document.input().conductors;
    const std::vector<ScaledPlan::GridShape> grids = ScaledPlan::gridShapes(document);
    // Each place's own limits: the surface layer's inside its zone, the bare soil's outside.
    const struct {
        PlanPicture::Map map;
        unsigned heading;
        PlaceLimits tolerable;
    } kinds[] = {
        {PlanPicture::Map::Potential, kMapPotential, {}},
        {PlanPicture::Map::Touch, kMapTouch,
         safety ? PlaceLimits::touch(*safety, *result) : PlaceLimits()},
        {PlanPicture::Map::Step, kMapStep,
         safety ? PlaceLimits::step(*safety, *result) : PlaceLimits()},
    };
    std::vector<ReportBlock> blocks;
    for (const auto &kind : kinds) {
        ReportBlock block;
        block.heading = texts.text(kind.heading);
        block.newPage = blocks.empty();
        block.pictureHeight = kMapHeight;
        const PlanPicture::Map map = kind.map;
        const PlaceLimits tolerable = kind.tolerable;
        const double north = document.north;
        block.picture = [result, map, conductors, grids, tolerable, north,
                         texts](QPainter &painter, const QRectF &area) {
            MapPicture picture(*result, map);
            picture.conductors = conductors;
            picture.north = north;
            picture.grids = grids;
            picture.tolerable = tolerable;
            picture.paint(painter, area, texts);
        };
        blocks.push_back(block);
    }
    return blocks;
}

ReportBlock leakage(const tav::SystemDocument &document,
                    const std::shared_ptr<const EarthingResult> &result, const StudyTexts &texts) {
    PlanPicture base;
    base.conductors = document.input().conductors;
    base.map = PlanPicture::Map::None;
    LeakagePicture leak;
    leak.result = result.get();
    leak.unit = texts.text(kAmperePerMetre);
    ReportBlock block;
    block.heading = texts.text(kLeakageMap);
    block.pictureHeight = kMapHeight;
    block.picture = [result, base, leak](QPainter &painter, const QRectF &area) {
        const QRectF plan = LeakagePicture::planArea(area, QFontMetricsF(painter.font()).height());
        const QRectF world = base.extent();
        base.paint(painter, plan, world);
        leak.paint(painter, plan, world);
        leak.paintLegend(painter, area);
    };
    return block;
}

} // namespace SystemPictures
