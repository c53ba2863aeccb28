#include "document/DrawingOutlines.h"

#include "document/StudyParts.h"

namespace tav::DrawingOutlines {

namespace {

double initial(const char *path) {
    for (const PartField &field : PartSchema::safetyFields())
        if (QLatin1String(field.path) == QLatin1String(path))
            return field.initial.toDouble();
    return 0;
}

} // namespace

SystemDocument::Fence fence(const cad::ImportedOutline &outline) {
    SystemDocument::Fence f;
    f.fence.outline = outline.corners;
    f.fence.closed = outline.closed;
    if (outline.posts) {
        f.fence.spacing = outline.posts->spacing;
        f.fence.length = outline.posts->length;
        f.fence.diameter = outline.posts->diameter;
        if (outline.posts->top)
            f.fence.top = *outline.posts->top;
    }
    f.group = outline.group;
    return f;
}

earthing::TouchArea touchArea(const cad::ImportedOutline &outline) {
    earthing::TouchArea a;
    a.kind = earthing::TouchAreaKind::Given;
    a.outline = outline.corners;
    a.group = outline.group.value_or(0);
    return a;
}

void addTo(SystemDocument &document, const cad::ImportedPlan &plan) {
    for (const cad::ImportedOutline &o : plan.fences)
        document.fences.push_back(fence(o));
    for (const cad::ImportedOutline &o : plan.touchAreas) {
        earthing::TouchArea area = touchArea(o);
        area.part = int(document.touchAreas.size());
        document.touchAreas.push_back(std::move(area));
    }
    if (!plan.surface)
        return;
    document.surfaceZone = plan.surface->corners;
    if (!document.safety)
        document.safety = SystemDocument::made().safety;
    if (!document.safety->surface)
        document.safety->surface =
            SurfaceLayer{initial("surface/rho"), initial("surface/thickness")};
}

QVector<std::pair<PartKind, QJsonObject>> parts(const cad::ImportedPlan &plan) {
    QVector<std::pair<PartKind, QJsonObject>> out;
    for (const cad::ImportedOutline &o : plan.fences)
        out.append({PartKind::Fence, StudyParts::write(fence(o))});
    for (const cad::ImportedOutline &o : plan.touchAreas)
        out.append({PartKind::TouchArea, StudyParts::write(touchArea(o))});
    return out;
}

QJsonArray surfaceCorners(const cad::ImportedPlan &plan) {
    QJsonArray corners;
    if (plan.surface)
        for (const earthing::Point2 &p : plan.surface->corners)
            corners.append(QJsonArray{p.x, p.y});
    return corners;
}

} // namespace tav::DrawingOutlines
