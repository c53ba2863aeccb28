#pragma once

#include "cad/ImportedPlan.h"
#include "document/PartSchema.h"
#include "document/SystemDocument.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QVector>

#include <utility>

namespace tav {

// What a drawing brings beside its conductors and rods, as the document keeps it: each
// fence a part of its own along its outline, each touch area a given one, and the crushed
// rock's outline as safety's surface/area, with a surface layer of a new one's values
// (PartSchema's) when the study has none.
namespace DrawingOutlines {

SystemDocument::Fence fence(const cad::ImportedOutline &outline);
earthing::TouchArea touchArea(const cad::ImportedOutline &outline);

// Into a document read or made: its fences, touch areas and surface layer.
void addTo(SystemDocument &document, const cad::ImportedPlan &plan);
// The fences' and touch areas' objects, as the study adds them as parts.
QVector<std::pair<PartKind, QJsonObject>> parts(const cad::ImportedPlan &plan);
// The surface outline's corners as [x, y] pairs; empty when the drawing gives none.
QJsonArray surfaceCorners(const cad::ImportedPlan &plan);

} // namespace DrawingOutlines

} // namespace tav
