#pragma once

#include "document/JsonFields.h"
#include "document/SystemDocument.h"

#include <QJsonObject>

namespace tav {

// The reading and writing of the document's parts beyond conductors and rods: the grids,
// L-shaped grids, rings, fences and the safety criteria, as strictly as the rest.
namespace StudyParts {

// Grids and rods beyond this many conductors could not be solved anyway.
constexpr int kMaxCount = 10000;

SystemDocument::Grid readGrid(const QJsonValue &value, const QString &path, DocumentError &error);
SystemDocument::LGrid readLGrid(const QJsonValue &value, const QString &path, DocumentError &error);
earthing::RodRing readRing(const QJsonValue &value, const QString &path, DocumentError &error);
SystemDocument::Fence readFence(const QJsonValue &value, const QString &path, DocumentError &error);
SafetyCriteria readSafety(const QJsonValue &value, DocumentError &error);

QJsonObject write(const SystemDocument::Grid &grid);
QJsonObject write(const SystemDocument::LGrid &grid);
QJsonObject write(const earthing::RodRing &ring);
QJsonObject write(const SystemDocument::Fence &fence);
QJsonObject write(const SafetyCriteria &safety);

} // namespace StudyParts

} // namespace tav
