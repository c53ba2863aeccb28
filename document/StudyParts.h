#pragma once

#include "document/JsonFields.h"
#include "document/SystemDocument.h"

#include <QJsonObject>

namespace tav {

// The reading and writing of the document's parts and the safety criteria, each through
// its table in PartSchema, as strictly as the rest; here only the structs are filled.
namespace StudyParts {

earthing::Conductor readConductor(const QJsonValue &value, const QString &path,
                                  DocumentError &error);
SystemDocument::Grid readGrid(const QJsonValue &value, const QString &path, DocumentError &error);
SystemDocument::Rods readRods(const QJsonValue &value, const QString &path, DocumentError &error);
SystemDocument::LGrid readLGrid(const QJsonValue &value, const QString &path, DocumentError &error);
earthing::RodRing readRing(const QJsonValue &value, const QString &path, DocumentError &error);
SystemDocument::Fence readFence(const QJsonValue &value, const QString &path, DocumentError &error);
earthing::TouchArea readTouchArea(const QJsonValue &value, const QString &path,
                                  DocumentError &error);
earthing::TouchPoint readTouchPoint(const QJsonValue &value, const QString &path,
                                    DocumentError &error);
// zone: where the surface layer lies (its "area"); empty when left out.
SafetyCriteria readSafety(const QJsonValue &value, DocumentError &error,
                          std::vector<earthing::Point2> &zone);

QJsonObject write(const earthing::Conductor &conductor);
QJsonObject write(const SystemDocument::Grid &grid);
QJsonObject write(const SystemDocument::Rods &rods);
QJsonObject write(const SystemDocument::LGrid &grid);
QJsonObject write(const earthing::RodRing &ring);
QJsonObject write(const SystemDocument::Fence &fence);
QJsonObject write(const earthing::TouchArea &area);
QJsonObject write(const earthing::TouchPoint &point);
QJsonObject write(const SafetyCriteria &safety, const std::vector<earthing::Point2> &zone = {});

} // namespace StudyParts

} // namespace tav
